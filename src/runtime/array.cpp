// runtime/array.cpp: placeholder until implemented.
