// runtime/heap_linux.cpp: placeholder until implemented.
