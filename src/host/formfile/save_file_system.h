// SaveFileSystem: the file operations a form save goes through, so that a test can make
// any of them fail as a full disk, a read-only folder or a crash would.
#pragma once

#include <sys/types.h>

#include <string>

namespace orvo {

// Each returns what the POSIX call does (-1 with errno set on failure).
class SaveFileSystem {
 public:
  virtual ~SaveFileSystem() = default;
  // A new file, created exclusively.
  virtual int Create(const std::string& path, mode_t mode);
  virtual ssize_t Write(int fd, const char* data, size_t size);
  virtual int Sync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Remove(const std::string& path);
  // Makes the rename itself durable.
  virtual int SyncFolder(const std::string& folder);

  // The system's own calls.
  static SaveFileSystem& Real();
};

// Writes `bytes` to `path` so that the file holds either its old content or all of the new:
// a temporary file beside it is written, synced and renamed over it. On failure the
// temporary file is removed and orvo::Error is raised (61 disk full, 70 permission denied,
// 75 otherwise) naming the file; the old file is untouched.
void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         SaveFileSystem& fs = SaveFileSystem::Real());

}  // namespace orvo
