// Kept files: the POSIX way.
#include "lib/posix/posixFiles.h"
#include "lib/system/systemPlatform.h"

namespace zuSystem {

bool PlatformUserDataFolder(char* out, size_t size) { return posix::UserDataFolder(out, size); }
bool PlatformMakeFolder(const char* path) { return posix::MakeFolder(path); }
bool PlatformReplaceFile(const char* path, const char* data, size_t size, const char** why) {
  return posix::ReplaceFile(path, data, size, why);
}

}  // namespace zuSystem
