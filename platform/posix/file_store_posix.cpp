// Writers lock the settings file itself (flock) and replace it by renaming a temporary file over
// it. The rename gives the path a new inode, so a writer that was waiting on the old one finds,
// once it has the lock, that the path names another file, and starts again on that one. Only the
// holder of the current file's lock ever writes, so one fixed temporary name beside the file is
// enough, and a temporary file left by a writer that was killed is simply replaced.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_store.h"

namespace platform {

const std::string_view kLineEnd = "\n";

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  bool Close() {
    const bool closed = fd_ < 0 || close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

bool ReadAll(int fd, std::string& contents) {
  char buffer[8192];
  off_t offset = 0;
  for (;;) {
    const ssize_t count = pread(fd, buffer, sizeof buffer, offset);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      return false;
    if (count == 0)
      return true;
    contents.append(buffer, static_cast<size_t>(count));
    offset += count;
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t count = write(fd, data.data(), data.size());
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      return false;
    data.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Read-only also for root, who may write anyway: a file or folder without any write permission
// is left alone, as Windows leaves a read-only file alone.
bool IsWritable(const std::string& path, const struct stat& status) {
  return (status.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens the file, creating it empty when it is missing, and locks it. Returns once the lock is
// held on the file the path names at that moment.
int LockCurrentFile(const std::string& path, bool& created) {
  for (;;) {
    created = false;
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
      fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno == EEXIST)
        continue;
      created = fd >= 0;
    }
    if (fd < 0)
      return -1;
    int locked;
    do {
      locked = flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    struct stat lockedFile, namedFile;
    if (locked != 0 || fstat(fd, &lockedFile) != 0) {
      close(fd);
      return -1;
    }
    if (stat(path.c_str(), &namedFile) == 0 && SameFile(lockedFile, namedFile))
      return fd;
    close(fd);  // replaced or removed while we waited
  }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  std::string contents;
  if (!file.valid() || !ReadAll(file.get(), contents))
    return std::nullopt;
  return contents;
}

bool RewriteFile(const std::string& path,
                 const std::function<std::string(std::string_view current)>& rewrite) {
  const std::string directory = DirectoryOf(path);
  struct stat directoryStatus;
  if (stat(directory.c_str(), &directoryStatus) != 0 || !IsWritable(directory, directoryStatus))
    return false;

  bool created = false;
  FileDescriptor file(LockCurrentFile(path, created));
  if (!file.valid())
    return false;
  const std::string temporary = path + ".tmp";
  bool replaced = false;
  // Whatever fails below, the file stays as it was and no temporary file is left.
  struct CleanUp {
    const std::string& path;
    const std::string& temporary;
    const bool& created;
    const bool& replaced;
    ~CleanUp() {
      if (replaced)
        return;
      unlink(temporary.c_str());
      if (created)
        unlink(path.c_str());  // still ours: we hold its lock
    }
  } cleanUp{path, temporary, created, replaced};

  struct stat status;
  std::string current;
  if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      (!created && !IsWritable(path, status)) || !ReadAll(file.get(), current))
    return false;
  const std::string contents = rewrite(current);

  unlink(temporary.c_str());
  FileDescriptor output(
      open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 0666));
  if (!output.valid() || fchmod(output.get(), status.st_mode & 07777) != 0 ||
      !WriteAll(output.get(), contents) || fsync(output.get()) != 0 || !output.Close() ||
      rename(temporary.c_str(), path.c_str()) != 0)
    return false;
  replaced = true;

  // Makes the rename itself durable; the new file is in place whatever this says.
  FileDescriptor folder(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.valid())
    fsync(folder.get());
  return true;
}

}  // namespace platform
