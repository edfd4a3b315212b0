// runtime/value_text.cpp: placeholder until implemented.
