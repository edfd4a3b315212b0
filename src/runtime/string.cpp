// runtime/string.cpp: placeholder until implemented.
