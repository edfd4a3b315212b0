// runtime/map_seed_linux.cpp: placeholder until implemented.
