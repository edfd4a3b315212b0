// runtime/value_render.cpp: placeholder until implemented.
