// runtime/heap.cpp: placeholder until implemented.
