// runtime/value.cpp: placeholder until implemented.
