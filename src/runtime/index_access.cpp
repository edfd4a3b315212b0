// runtime/index_access.cpp: placeholder until implemented.
