#include "tools/replay/replay.h"

int main(int argc, char** argv) { return ReplayMain(argc, argv); }
