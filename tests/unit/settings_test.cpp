#include "settings/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/file_store.h"
#include "tests/unit/case_name.h"

namespace {

namespace fs = std::filesystem;

struct RunDirectoryCase {
  const char* name;
  std::string_view executable;
  std::string_view runDirectory;
  std::string_view settingsFile;
};

class RunDirectoryTest : public testing::TestWithParam<RunDirectoryCase> {};

TEST_P(RunDirectoryTest, CutsBeforeTheLastSeparator) {
  const RunDirectoryCase& c = GetParam();
  const Text runDirectory = RunDirectoryOf(c.executable);
  EXPECT_EQ(runDirectory, c.runDirectory);
  SetRunDirectory(runDirectory);
  EXPECT_EQ(SettingsFilePath(), c.settingsFile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunDirectoryTest,
    testing::Values(RunDirectoryCase{"WindowsFolder", "D:\\Tools\\app.exe", "D:\\Tools",
                                     "D:\\Tools/config.ini"},
                    RunDirectoryCase{"WindowsDriveRoot", "C:\\app.exe", "C:", "C:/config.ini"},
                    RunDirectoryCase{"LinuxFolder", "/opt/tivarel/tivarel", "/opt/tivarel",
                                     "/opt/tivarel/config.ini"},
                    RunDirectoryCase{"LinuxRoot", "/tivarel", "", "/config.ini"},
                    RunDirectoryCase{"NonAsciiFolder", "/home/\xD5\xE6/tivarel", "/home/\xD5\xE6",
                                     "/home/\xD5\xE6/config.ini"},
                    RunDirectoryCase{"BareName", "tivarel", ".", "./config.ini"}),
    kCaseName);

// Each test gets a run directory of its own.
class SettingsStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "tivarel-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    SetRunDirectory(folder_);
  }
  void TearDown() override {
    chmod(folder_.c_str(), 0700);
    fs::remove_all(folder_);
  }

  std::string FilePath() const { return folder_ + "/config.ini"; }
  std::string FileContents() const {
    return platform::ReadWholeFile(FilePath()).value_or("<none>");
  }
  void PutFile(std::string_view contents) const {
    std::ofstream(FilePath(), std::ios::binary) << contents;
  }
  std::set<std::string> FolderEntries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.insert(entry.path().filename());
    return names;
  }

  std::string folder_;
};

const std::set<std::string> kOnlyTheFile = {"config.ini"};

TEST_F(SettingsStoreTest, NoFileReadsEmptyAndTheFirstWriteCreatesIt) {
  for (const auto& [section, key] :
       {std::pair{"KTB", "b"}, {"KTBP", "bp"}, {"KTX", "x"}, {"KTBP", "bpxzk"}}) {
    EXPECT_EQ(ReadSetting(section, key), "") << section << " " << key;
  }
  EXPECT_TRUE(FolderEntries().empty());

  WriteSetting("KTBP", "bpxzk", "\xD5\xE6");
  EXPECT_EQ(FileContents(), "[KTBP]\nbpxzk=\xD5\xE6\n");
  EXPECT_EQ(ReadSetting("KTBP", "bpxzk"), "\xD5\xE6");
  EXPECT_EQ(ReadSetting("KTBP", "bp"), "");  // a missing key of an existing section
  EXPECT_EQ(ReadSetting("KTB", "b"), "");    // a missing section of an existing file
  EXPECT_EQ(FolderEntries(), kOnlyTheFile);
}

Text LongValue() {
  Text value;
  while (value.size() < 100 * 1024)
    value += "https://a.b/?q=\xD5\xE6&r=\xBC\xD9#";
  return value;
}

struct ValueCase {
  const char* name;
  Text value;
};

class SettingsRoundTripTest : public SettingsStoreTest,
                              public testing::WithParamInterface<ValueCase> {};

TEST_P(SettingsRoundTripTest, ValueReadsBackExactly) {
  const Text& value = GetParam().value;
  WriteSetting("KTX", "x", "before");
  WriteSetting("KTB", "b", value);
  WriteSetting("KTBP", "bp", "after");
  EXPECT_EQ(ReadSetting("KTB", "b"), value);
  EXPECT_EQ(ReadSetting("KTX", "x"), "before");
  EXPECT_EQ(ReadSetting("KTBP", "bp"), "after");

  WriteSetting("KTB", "b", "replaced");
  EXPECT_EQ(ReadSetting("KTB", "b"), "replaced");
  WriteSetting("KTX", "x", value);
  EXPECT_EQ(ReadSetting("KTX", "x"), value);
  EXPECT_EQ(ReadSetting("KTBP", "bp"), "after");
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsRoundTripTest,
    testing::Values(ValueCase{"Equals", "="}, ValueCase{"Ampersand", "&"},
                    ValueCase{"QuestionMark", "?"}, ValueCase{"True", "\xD5\xE6"},
                    ValueCase{"False", "\xBC\xD9"}, ValueCase{"Empty", ""},
                    ValueCase{
                        "AddressWithQuery",
                        "https://www.bilibili.com/video/BV1xx411c7mD?spm_id_from=333.1007&vd=a=="},
                    ValueCase{"BlanksAndQuotes", "  blanks and \"quotes\"\t"},
                    ValueCase{"LooksLikeASection", "[KTX]"}, ValueCase{"LooksLikeAComment", ";x=1"},
                    ValueCase{"HundredKilobytes", LongValue()}),
    kCaseName);

TEST_F(SettingsStoreTest, ReadsAndKeepsAWindowsWrittenFile) {
  PutFile(
      "[ktb]\r\nB=https://www.bilibili.com/video/BV1xx411c7mD/"
      "\r\n\r\n[KTBP]\r\nbpxzk=\xD5\xE6\r\n");
  EXPECT_EQ(ReadSetting("KTB", "b"), "https://www.bilibili.com/video/BV1xx411c7mD/");
  EXPECT_EQ(ReadSetting("KTBP", "bpxzk"), "\xD5\xE6");

  WriteSetting("KTBP", "bp", "2");
  WriteSetting("KTX", "x", "https://www.ixigua.com/7012345678901234567");
  WriteSetting("KTB", "b", "https://www.bilibili.com/video/BV1xx411c7mE");
  EXPECT_EQ(FileContents(),
            "[ktb]\r\nB=https://www.bilibili.com/video/BV1xx411c7mE\r\n\r\n[KTBP]\r\nbpxzk=\xD5\xE6"
            "\r\nbp=2\r\n[KTX]\r\nx=https://www.ixigua.com/7012345678901234567\r\n");
}

TEST_F(SettingsStoreTest, LineBreaksInAValueCannotForgeEntries) {
  WriteSetting("KTB", "b", "https://a.b/\r\n[KTX]\r\nx=forged\nbp=1");
  EXPECT_EQ(ReadSetting("KTB", "b"), "https://a.b/  [KTX]  x=forged bp=1");
  EXPECT_EQ(ReadSetting("KTX", "x"), "");
  EXPECT_EQ(ReadSetting("KTB", "bp"), "");
}

// Root may write anyway: the store itself must leave alone what has no write permission.
TEST_F(SettingsStoreTest, ReadOnlyFolderChangesNothing) {
  ASSERT_EQ(chmod(folder_.c_str(), 0555), 0);
  WriteSetting("KTB", "b", "v");
  EXPECT_TRUE(FolderEntries().empty());

  ASSERT_EQ(chmod(folder_.c_str(), 0755), 0);
  WriteSetting("KTB", "b", "old");
  ASSERT_EQ(chmod(folder_.c_str(), 0555), 0);
  WriteSetting("KTB", "b", "new");
  EXPECT_FALSE(platform::RewriteFile(FilePath(), [](std::string_view) { return "x"; }));
  EXPECT_EQ(ReadSetting("KTB", "b"), "old");
  EXPECT_EQ(FolderEntries(), kOnlyTheFile);
}

TEST_F(SettingsStoreTest, ReadOnlyFileChangesNothing) {
  WriteSetting("KTB", "b", "old");
  ASSERT_EQ(chmod(FilePath().c_str(), 0444), 0);
  WriteSetting("KTB", "b", "new");
  WriteSetting("KTX", "x", "new");
  EXPECT_FALSE(platform::RewriteFile(FilePath(), [](std::string_view) { return "x"; }));
  EXPECT_EQ(FileContents(), "[KTB]\nb=old\n");
  EXPECT_EQ(FolderEntries(), kOnlyTheFile);
}

TEST_F(SettingsStoreTest, KeepsTheFilePermissions) {
  WriteSetting("KTB", "b", "old");
  ASSERT_EQ(chmod(FilePath().c_str(), 0640), 0);
  WriteSetting("KTB", "b", "new");
  struct stat status;
  ASSERT_EQ(stat(FilePath().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// Runs body in a child process whose files may grow to limit bytes; returns its wait status.
template <typename Body>
int RunWithFileSizeLimit(rlim_t limit, bool ignoreSignal, Body body) {
  const pid_t child = fork();
  if (child == 0) {
    const rlimit noCore = {0, 0};
    const rlimit size = {limit, limit};
    setrlimit(RLIMIT_CORE, &noCore);
    signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
    setrlimit(RLIMIT_FSIZE, &size);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST_F(SettingsStoreTest, FullDiskChangesNothing) {
  WriteSetting("KTB", "b", "old");
  const std::string before = FileContents();
  const int status = RunWithFileSizeLimit(4096, true, [&] {
    const bool written =
        platform::RewriteFile(FilePath(), [](std::string_view) { return LongValue(); });
    return written ? 1 : 0;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a failed write reported success";
  EXPECT_EQ(FileContents(), before);
  EXPECT_EQ(FolderEntries(), kOnlyTheFile);
}

TEST_F(SettingsStoreTest, WriterKilledMidWriteLeavesTheOldFile) {
  WriteSetting("KTB", "b", "old");
  WriteSetting("KTX", "x", "kept");
  const std::string before = FileContents();
  const int status = RunWithFileSizeLimit(4096, false, [] {
    WriteSetting("KTB", "b", LongValue());
    return 0;
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_EQ(FileContents(), before);
  EXPECT_EQ(ReadSetting("KTB", "b"), "old");

  // The next write goes through and tidies up what the killed writer left.
  WriteSetting("KTB", "b", "new");
  EXPECT_EQ(ReadSetting("KTB", "b"), "new");
  EXPECT_EQ(ReadSetting("KTX", "x"), "kept");
  EXPECT_EQ(FolderEntries(), kOnlyTheFile);
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWriters = 2;
  constexpr int kKeysEach = 25;
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  pid_t children[kWriters];
  for (int writer = 0; writer < kWriters; ++writer) {
    children[writer] = fork();
    if (children[writer] == 0) {
      close(go[1]);
      char byte;
      if (read(go[0], &byte, 1) != 0)
        _exit(2);  // waits until the parent lets go
      for (int i = 0; i < kKeysEach; ++i) {
        const std::string key = std::to_string(writer) + "k" + std::to_string(i);
        WriteSetting("KTB", key, "value of " + key);
      }
      _exit(0);
    }
  }
  close(go[0]);
  close(go[1]);  // both start on the missing file at once
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int i = 0; i < kKeysEach; ++i) {
      const std::string key = std::to_string(writer) + "k" + std::to_string(i);
      EXPECT_EQ(ReadSetting("KTB", key), "value of " + key);
    }
  }
  EXPECT_EQ(FolderEntries(), kOnlyTheFile);
}

}  // namespace
