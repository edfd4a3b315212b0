// runtime/heap_report.cpp: placeholder until implemented.
