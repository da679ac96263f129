// Files kept for the player between runs (the best score): where they go, and
// reading and replacing them without ever losing the last good one.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"

namespace {

constexpr size_t PATH_SIZE = 4096;
// 0: the user's data folder; 1: no folder at all; 2: the folder set below.
int folderChoice = 0;
char chosenFolder[PATH_SIZE];
char pathBuffer[PATH_SIZE];

// The folder for kept files into out; false when there is none.
bool Folder(char* out, size_t size) {
  if (folderChoice == 1) return false;
  if (folderChoice == 2) {
    std::snprintf(out, size, "%s", chosenFolder);
    return true;
  }
  return zuSystem::PlatformUserDataFolder(out, size);
}

bool FilePath(const char* name, char* out, size_t size) {
  char folder[PATH_SIZE];
  if (!Folder(folder, sizeof folder)) return false;
  const size_t n = std::strlen(folder);
  const bool separated = n > 0 && (folder[n - 1] == '/' || folder[n - 1] == '\\');
  const int written = std::snprintf(out, size, "%s%s%s", folder, separated ? "" : "/", name);
  return written > 0 && static_cast<size_t>(written) < size;
}

}  // namespace

namespace zuSystem {

void SetUserFolder(const char* folder) {
  if (folder == nullptr) {
    folderChoice = 0;
  } else if (folder[0] == '\0') {
    folderChoice = 1;
  } else {
    folderChoice = 2;
    std::snprintf(chosenFolder, sizeof chosenFolder, "%s", folder);
  }
}

const char* UserFilePath(const char* name) {
  if (!FilePath(name, pathBuffer, sizeof pathBuffer)) pathBuffer[0] = '\0';
  return pathBuffer;
}

int ReadUserFile(const char* name, char* buffer, int size) {
  char path[PATH_SIZE];
  if (size < 1 || !FilePath(name, path, sizeof path)) return -1;
  std::FILE* file = zuSystem::OpenFile(path, "rb");
  if (file == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR) return -1;
    std::fprintf(stderr, "skyward-run: cannot read %s: %s\n", path, std::strerror(errno));
    return -2;
  }
  const size_t n = std::fread(buffer, 1, static_cast<size_t>(size - 1), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  buffer[n] = '\0';
  if (failed) {
    std::fprintf(stderr, "skyward-run: cannot read %s\n", path);
    return -2;
  }
  return static_cast<int>(n);
}

int WriteUserFile(const char* name, const char* data, int size) {
  char folder[PATH_SIZE];
  char path[PATH_SIZE];
  if (size < 0 || !Folder(folder, sizeof folder) || !FilePath(name, path, sizeof path)) return 0;
  if (!PlatformMakeFolder(folder)) {
    std::fprintf(stderr, "skyward-run: cannot make the folder %s: %s\n", folder,
                 std::strerror(errno));
    return 0;
  }
  const char* why = "";
  if (!PlatformReplaceFile(path, data, static_cast<size_t>(size), &why)) {
    std::fprintf(stderr, "skyward-run: cannot write %s: %s\n", path, why);
    return 0;
  }
  return 1;
}

}  // namespace zuSystem
