// runtime/alloc.cpp: placeholder until implemented.
