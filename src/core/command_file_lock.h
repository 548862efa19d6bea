// The temporary command file has one fixed name in the working directory, so
// two runs started there at once (a parallel make, a parameter sweep) would
// write and read each other's copy.  A run therefore holds an exclusive
// advisory lock on that file from before it empties it until the run ends:
// a second run in the same directory waits for the first.
#pragma once

namespace cmd7730 {

class CommandFileLock {
 public:
  CommandFileLock() = default;
  ~CommandFileLock() { release(); }
  CommandFileLock(const CommandFileLock&) = delete;
  CommandFileLock& operator=(const CommandFileLock&) = delete;

  // Opens `path` (created if missing, contents left alone) and waits until
  // this run holds the lock on the file now at `path`.  Returns false when
  // the file cannot be opened.  A filesystem without locks is used
  // unlocked, as a single run always could.
  bool acquire(const char* path);
  // Lets the next run in: closes the locked file.
  void release();
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace cmd7730
