// skyward-bench: what one frame of the real game costs, headless.
#pragma once

int BenchMain(int argc, char** argv);
