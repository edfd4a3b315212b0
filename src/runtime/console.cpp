// runtime/console.cpp: placeholder until implemented.
