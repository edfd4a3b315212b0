// runtime/string_builder.cpp: placeholder until implemented.
