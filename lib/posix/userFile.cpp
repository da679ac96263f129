// Kept files on a POSIX system (the SDL layer's, and the browser's file
// system): the XDG data folder, and a replace that is flushed and renamed so
// that a crash or a full disk never leaves half a file.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lib/posix/posixFiles.h"

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

namespace posix {

bool UserDataFolder(char* out, size_t size) {
  // Only an absolute XDG_DATA_HOME counts; otherwise ~/.local/share.
  const char* data = std::getenv("XDG_DATA_HOME");
  int written = -1;
  if (data != nullptr && data[0] == '/') {
    written = std::snprintf(out, size, "%s/skyward-run", data);
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return false;
    written = std::snprintf(out, size, "%s/.local/share/skyward-run", home);
  }
  return written > 0 && static_cast<size_t>(written) < size;
}

bool MakeFolder(const char* path) {
  char partial[4096];
  const int n = std::snprintf(partial, sizeof partial, "%s", path);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof partial) {
    errno = ENAMETOOLONG;
    return false;
  }
  // Each missing level in turn; the data folders are the user's alone.
  for (char* p = partial + 1;; ++p) {
    if (*p != '/' && *p != '\0') continue;
    const char was = *p;
    *p = '\0';
    if (mkdir(partial, 0700) != 0 && errno != EEXIST) return false;
    *p = was;
    if (was == '\0') break;
  }
  struct stat info;
  if (stat(path, &info) != 0) return false;
  if (!S_ISDIR(info.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

bool ReplaceFile(const char* path, const char* data, size_t size, const char** why) {
  // A file-size limit must fail the write, not end the game.
  signal(SIGXFSZ, SIG_IGN);
  char temporary[4200];
  std::snprintf(temporary, sizeof temporary, "%s.new", path);
  // Whatever an earlier write left under that name (half a file, one made
  // read-only, a link) is removed rather than written through.
  unlink(temporary);
  const int fd = open(temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    *why = std::strerror(errno);
    return false;
  }
  bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temporary, path) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temporary);
    *why = std::strerror(error);
    return false;
  }
  // The rename itself reaches the disk with the folder's entry.
  char folder[4200];
  std::snprintf(folder, sizeof folder, "%s", path);
  if (char* slash = std::strrchr(folder, '/')) {
    *(slash == folder ? slash + 1 : slash) = '\0';
    const int dir = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      fsync(dir);
      close(dir);
    }
  }
  return true;
}

}  // namespace posix
