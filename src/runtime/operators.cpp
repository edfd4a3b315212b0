// runtime/operators.cpp: placeholder until implemented.
