#include "core/command_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace cmd7730 {

bool CommandFileLock::acquire(const char* path) {
  release();
  for (;;) {
    const int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    int r;
    do {
      r = ::flock(fd, LOCK_EX);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {  // no locks here (ENOLCK, EOPNOTSUPP): go on unlocked
      fd_ = fd;
      return true;
    }
    // The run we waited for may have left a different file under the name
    // (removed or renamed while we waited): then lock the one there now.
    struct stat held;
    struct stat named;
    if (::fstat(fd, &held) == 0 && ::stat(path, &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      fd_ = fd;
      return true;
    }
    ::close(fd);
  }
}

void CommandFileLock::release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace cmd7730
