// runtime/value_equal.cpp: placeholder until implemented.
