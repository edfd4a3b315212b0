// runtime/clone.cpp: placeholder until implemented.
