// runtime/block.cpp: placeholder until implemented.
