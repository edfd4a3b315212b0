// runtime/type_info.cpp: placeholder until implemented.
