// runtime/type_ops.cpp: placeholder until implemented.
