#include "tools/bench/bench.h"

int main(int argc, char** argv) { return BenchMain(argc, argv); }
