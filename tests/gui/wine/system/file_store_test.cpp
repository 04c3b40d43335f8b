// The settings file's store on Windows: paths in Chinese folders, CR LF, replacement in one step,
// failures that change nothing, and writers that wait for one another.
#include "platform/file_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/win32/wide_text.h"

namespace {

class FileStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    // Beside the test program, which runs in a fresh folder of its own.
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    static int made = 0;
    // 测试目录: a folder name outside every single-byte code page.
    folder_ =
        exe.substr(0, exe.rfind(L'\\')) + L"\\\u6D4B\u8BD5\u76EE\u5F55-" + std::to_wstring(++made);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr))
        << GetLastError() << " " << Utf8FromText(TextFromWide(folder_));
  }

  void TearDown() override {
    for (const std::wstring& name : Names()) {
      const std::wstring path = folder_ + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring WidePath(const std::wstring& name = L"config.ini") const {
    return folder_ + L"\\" + name;
  }
  std::string Path() const { return TextFromWide(WidePath()); }

  // The folder's files, the hidden lock file left out.
  std::vector<std::wstring> Names(bool withLock = true) const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
      return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L".." && (withLock || name != L"config.ini.lock"))
        names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  void Put(const std::string& bytes) {
    HANDLE file = CreateFileW(WidePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  std::wstring folder_;
};

TEST_F(FileStoreTest, NewFilesEndTheirLinesWithCrLf) {
  EXPECT_EQ(platform::kLineEnd, "\r\n");
}

TEST_F(FileStoreTest, FirstRewriteCreatesTheFileInAChineseFolder) {
  EXPECT_EQ(platform::ReadWholeFile(Path()), std::nullopt);
  const std::string contents = "[KTBP]\r\nbpxzk=\xD5\xE6\r\n";
  std::string seen = "unset";
  ASSERT_TRUE(platform::RewriteFile(Path(), [&](std::string_view current) {
    seen = current;
    return contents;
  }));
  EXPECT_EQ(seen, "");
  EXPECT_EQ(platform::ReadWholeFile(Path()), contents);
  // Nothing but the file and the lock stays behind: no temporary file.
  EXPECT_EQ(Names(false), std::vector<std::wstring>{L"config.ini"});
}

TEST_F(FileStoreTest, RewriteStartsFromTheCurrentBytes) {
  Put("[KTB]\r\nb=1\r\n");
  ASSERT_TRUE(platform::RewriteFile(
      Path(), [](std::string_view current) { return std::string(current) + "x=2\r\n"; }));
  EXPECT_EQ(platform::ReadWholeFile(Path()), "[KTB]\r\nb=1\r\nx=2\r\n");
}

// Each way of failing reports false and leaves the file as it was, with no temporary file.
TEST_F(FileStoreTest, FailuresChangeNothing) {
  const std::string before = "[KTB]\r\nb=old\r\n";
  struct Case {
    const char* name;
    void (*arrange)(const std::wstring& path, HANDLE& held);
  };
  const Case cases[] = {
      {"read-only file",
       [](const std::wstring& path, HANDLE&) {
         SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
       }},
      {"file held by another program without sharing",
       [](const std::wstring& path, HANDLE& held) {
         held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetFileAttributesW(WidePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    Put(before);
    HANDLE held = INVALID_HANDLE_VALUE;
    c.arrange(WidePath(), held);
    EXPECT_FALSE(platform::RewriteFile(Path(), [](std::string_view) { return "new"; }));
    if (held != INVALID_HANDLE_VALUE)
      CloseHandle(held);
    EXPECT_EQ(platform::ReadWholeFile(Path()), before);
    EXPECT_EQ(Names(false), std::vector<std::wstring>{L"config.ini"});
  }
}

TEST_F(FileStoreTest, MissingFolderFailsAndMakesNothing) {
  const std::string path = TextFromWide(folder_ + L"\\missing\\config.ini");
  EXPECT_FALSE(platform::RewriteFile(path, [](std::string_view) { return "new"; }));
  EXPECT_EQ(platform::ReadWholeFile(path), std::nullopt);
  EXPECT_TRUE(Names().empty());
}

// Writers on threads of their own, each with its own handles, as two running copies would be:
// every write lands, none is lost to another that read the file before it was replaced.
TEST_F(FileStoreTest, ConcurrentWritersLoseNothing) {
  struct Writer {
    std::string path;
    char mark;
    bool ok = true;
  };
  constexpr int kWrites = 40;
  Writer writers[] = {{Path(), 'a'}, {Path(), 'b'}, {Path(), 'c'}};
  std::vector<HANDLE> threads;
  for (Writer& w : writers) {
    threads.push_back(CreateThread(
        nullptr, 0,
        [](void* data) -> DWORD {
          auto* writer = static_cast<Writer*>(data);
          for (int i = 0; i < kWrites; ++i) {
            writer->ok &= platform::RewriteFile(writer->path, [&](std::string_view current) {
              return std::string(current) + writer->mark;
            });
          }
          return 0;
        },
        &w, 0, nullptr));
  }
  WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
  for (HANDLE t : threads)
    CloseHandle(t);
  for (const Writer& w : writers)
    EXPECT_TRUE(w.ok) << w.mark;
  const std::string result = platform::ReadWholeFile(Path()).value_or("");
  EXPECT_EQ(result.size(), 3u * kWrites);
  for (char mark : {'a', 'b', 'c'})
    EXPECT_EQ(std::count(result.begin(), result.end(), mark), kWrites) << mark;
}

}  // namespace
