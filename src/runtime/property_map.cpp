// runtime/property_map.cpp: placeholder until implemented.
