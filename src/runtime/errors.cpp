// runtime/errors.cpp: placeholder until implemented.
