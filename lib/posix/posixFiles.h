// Kept files where the system is POSIX: what the SDL and browser layers'
// user-file functions do (lib/system/systemPlatform.h has their contract).
#pragma once
#include <cstddef>

namespace posix {

bool UserDataFolder(char* out, size_t size);
bool MakeFolder(const char* path);
bool ReplaceFile(const char* path, const char* data, size_t size, const char** why);

}  // namespace posix
