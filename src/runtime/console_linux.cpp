// runtime/console_linux.cpp: placeholder until implemented.
