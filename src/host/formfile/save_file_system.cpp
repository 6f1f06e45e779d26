// The atomic save: temporary file, sync, rename.
#include "host/formfile/save_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "host/formfile/form_file_errors.h"

namespace orvo {

int SaveFileSystem::Create(const std::string& path, mode_t mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}
ssize_t SaveFileSystem::Write(int fd, const char* data, size_t size) {
  return ::write(fd, data, size);
}
int SaveFileSystem::Sync(int fd) {
  return ::fsync(fd);
}
int SaveFileSystem::Close(int fd) {
  return ::close(fd);
}
int SaveFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}
int SaveFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str());
}
int SaveFileSystem::SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int r = ::fsync(fd);
  ::close(fd);
  return r;
}

SaveFileSystem& SaveFileSystem::Real() {
  static SaveFileSystem real;
  return real;
}

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void SaveFailed(const std::string& path, const char* step, int error) {
  int32_t number = err::kFileAccess;
  std::string why = std::strerror(error);
  if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
    number = err::kDiskFull;
    why = "the disk is full";
  } else if (error == EACCES || error == EPERM || error == EROFS) {
    number = err::kPermissionDenied;
    why = "permission denied";
  }
  RaiseError(number, "cannot save form file \"" + path + "\": " + step + ": " + why +
                         "; the file on disk is unchanged");
}

}  // namespace

void WriteFileAtomically(const std::string& given, const std::string& bytes, SaveFileSystem& fs) {
  // A link is kept: the file it points at is the one replaced.
  std::string path = given;
  struct stat link {};
  if (::lstat(given.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* target = ::realpath(given.c_str(), nullptr)) {
      path = target;
      std::free(target);
    }
  }
  static std::atomic<unsigned> counter{0};
  // Beside the file, so that the rename stays within one file system; named for this
  // process and save, so that a temporary left by a crash never stands in the way.
  const std::string temp =
      path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    // The rename would put a file in the place of a device, a pipe or a folder.
    if (!S_ISREG(old.st_mode))
      RaiseError(err::kFileAccess, "cannot save form file \"" + given +
                                       "\": it is not a regular file; it is left as it is");
    mode = old.st_mode & 07777;
  }
  const int fd = fs.Create(temp, mode);
  if (fd < 0) SaveFailed(path, "creating a temporary file", errno);
  auto abandon = [&](const char* step, int error) {
    fs.Close(fd);
    fs.Remove(temp);
    SaveFailed(path, step, error);
  };
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = fs.Write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    // A write that stores nothing without an error would loop for ever: the disk is full.
    if (n <= 0) abandon("writing", n == 0 ? ENOSPC : errno);
    done += static_cast<size_t>(n);
  }
  if (fs.Sync(fd) != 0) abandon("flushing to disk", errno);
  if (fs.Close(fd) != 0) {
    const int error = errno;
    fs.Remove(temp);
    SaveFailed(path, "closing", error);
  }
  if (fs.Rename(temp, path) != 0) {
    const int error = errno;
    fs.Remove(temp);
    SaveFailed(path, "replacing the old file", error);
  }
  // The new content is in place; a folder that cannot be synced costs durability only.
  fs.SyncFolder(FolderOf(path));
}

}  // namespace orvo
