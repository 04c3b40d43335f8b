// The settings file on Windows. Paths arrive as GB18030 and go to the W functions as UTF-16, so
// folders with Chinese names work on any system locale.
#include "platform/file_store.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform {

const std::string_view kLineEnd = "\r\n";

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (ok())
      CloseHandle(h_);
  }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

enum class ReadResult { Read, Missing, Failed };

ReadResult ReadAll(const std::wstring& path, std::string& bytes) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                          : ReadResult::Failed;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
    return ReadResult::Failed;
  bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD done = 0;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (!ReadFile(file.get(), bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &done,
                  nullptr))
      return ReadResult::Failed;
    if (done == 0)
      break;
    at += done;
  }
  bytes.resize(at);
  return ReadResult::Read;
}

bool WriteAll(const std::wstring& path, std::string_view bytes) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok())
    return false;
  while (!bytes.empty()) {
    DWORD done = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
        done == 0)
      return false;
    bytes.remove_prefix(done);
  }
  return FlushFileBuffers(file.get()) != 0;
}

// Held while a process rewrites the file; a second process waits for it.
class WriterLock {
 public:
  explicit WriterLock(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr)) {
    if (file_.ok())
      locked_ = LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &overlapped_) != 0;
  }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;
  ~WriterLock() {
    if (locked_)
      UnlockFileEx(file_.get(), 0, 1, 0, &overlapped_);
  }
  bool locked() const { return locked_; }

 private:
  Handle file_;
  OVERLAPPED overlapped_{};
  bool locked_ = false;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (ReadAll(WideFromText(path), bytes) != ReadResult::Read)
    return std::nullopt;
  return bytes;
}

bool RewriteFile(const std::string& path,
                 const std::function<std::string(std::string_view current)>& rewrite) {
  const std::wstring target = WideFromText(path);
  WriterLock lock(target + L".lock");
  if (!lock.locked())
    return false;
  // Windows refuses to replace a read-only file, Wine does not: ask, so that both leave it alone.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return false;
  std::string current;
  if (ReadAll(target, current) == ReadResult::Failed)
    return false;
  const std::wstring temporary = target + L".tmp";
  if (!WriteAll(temporary, rewrite(current)) ||
      !MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
