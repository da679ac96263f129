#pragma once
// Read before every test source of the Windows build: what the suites take
// from POSIX and glibc, in Windows terms.

// M_PI and friends, which glibc's <cmath> offers unasked.
#define _USE_MATH_DEFINES

// std::system returns the program's own exit status on Windows.
#define WIFEXITED(status) 1
#define WEXITSTATUS(status) (status)
