// runtime/block_registry.cpp: placeholder until implemented.
