// Which file on disk an open descriptor refers to, whatever name it was
// opened by: its device and inode numbers.
#pragma once

namespace cmd7730 {

struct FileId {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator==(const FileId&) const = default;
};

}  // namespace cmd7730
