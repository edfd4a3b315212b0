// runtime/utf8.cpp: placeholder until implemented.
