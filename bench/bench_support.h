#pragma once

// A figure of this process from /proc/self/status ("VmRSS:", "VmHWM:"), in MB.
double statusMegabytes(const char* field);

// The peak resident size ("VmHWM:") is measured from here on.
void resetPeak();

// Runs the benchmarks named on the command line inside an offscreen Qt
// application whose fonts are mapped as the program maps them.
int runWindowBenchmarks(int argc, char** argv);
