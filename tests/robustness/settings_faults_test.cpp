// The settings file under copies of the program that are killed while they write, or that write
// at the same time: it always holds a whole file with the old or the new value, and no key that
// one copy wrote is lost to another.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "tests/commands/program_fixture.h"
#include "tests/robustness/running_copy.h"

extern char** environ;

namespace {

using running_copy::BAddress;
using running_copy::XAddress;

// A tivarel_running_copy process with a pipe to its standard input and one from its output.
class Copy {
 public:
  Copy(const std::filesystem::path& folder, const std::string& role, long count,
       size_t padding = 0) {
    int in[2], out[2];
    EXPECT_EQ(pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const std::string countText = std::to_string(count);
    const std::string paddingText = std::to_string(padding);
    const char* args[] = {TIVAREL_RUNNING_COPY, folder.c_str(),      role.c_str(),
                          countText.c_str(),    paddingText.c_str(), nullptr};
    EXPECT_EQ(posix_spawn(&pid_, TIVAREL_RUNNING_COPY, &actions, nullptr, const_cast<char**>(args),
                          environ),
              0);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    start_ = in[1];
    output_ = out[0];
    fcntl(output_, F_SETFL, O_NONBLOCK);
  }
  Copy(const Copy&) = delete;
  Copy& operator=(const Copy&) = delete;
  ~Copy() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Wait();
    }
    close(start_);
    close(output_);
  }

  void Start() {
    close(start_);
    start_ = -1;
  }
  // The last round the copy reported done.
  long LastRoundDone() {
    char buffer[4096];
    ssize_t count;
    while ((count = read(output_, buffer, sizeof buffer)) > 0)
      pending_.append(buffer, static_cast<size_t>(count));
    size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
      lastRound_ = std::stol(pending_.substr(0, end));
      pending_.erase(0, end + 1);
    }
    return lastRound_;
  }
  void KillNow() { kill(pid_, SIGKILL); }
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int start_ = -1;
  int output_ = -1;
  std::string pending_;
  long lastRound_ = 0;
};

// The round of a whole B address written by a copy, or -1 when the text is not one.
long RoundOf(const std::string& value, size_t padding) {
  const std::string marker = "?n=";
  const size_t at = value.find(marker);
  if (at == std::string::npos)
    return -1;
  const long round = std::atol(value.c_str() + at + marker.size());
  return value == BAddress(round, padding) ? round : -1;
}

class SettingsFaults : public ProgramTest {
 protected:
  std::set<std::string> FolderEntries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.insert(entry.path().filename());
    return names;
  }
};

TEST_F(SettingsFaults, CopiesKilledWhileWritingLeaveTheOldOrTheNewValue) {
  constexpr size_t kPadding = 256 * 1024;  // makes each write take a while
  constexpr int kKills = 40;
  WriteConfig("[KTB]\nb=" + BAddress(0, kPadding) +
              "\n[KTBP]\nbpxzk=\xD5\xE6\nbp=3\n[KTX]\nx=" + XAddress(0) + "\n");
  std::mt19937 random(7);
  long before = 0;  // the round of the value the file holds
  int leftTemporaryFiles = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    Copy copy(folder_, "b", 1000000, kPadding);
    copy.Start();
    // A reader meanwhile sees whole files only.
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::microseconds(2000 + random() % 60000);
    while (std::chrono::steady_clock::now() < until) {
      const std::optional<Text> value = Saved("KTB", "b");
      ASSERT_TRUE(value.has_value());
      ASSERT_NE(RoundOf(*value, kPadding), -1) << "a reader saw a value cut short";
    }
    copy.KillNow();
    ASSERT_TRUE(WIFSIGNALED(copy.Wait()));
    const long done = copy.LastRoundDone();

    const std::optional<Text> value = Saved("KTB", "b");
    ASSERT_TRUE(value.has_value());
    const long round = RoundOf(*value, kPadding);
    if (done == 0)
      EXPECT_TRUE(round == before || round == 1) << "round " << round << " before " << before;
    else
      EXPECT_TRUE(round == done || round == done + 1) << "round " << round << " done " << done;
    EXPECT_EQ(Saved("KTX", "x"), XAddress(0));
    EXPECT_EQ(Saved("KTBP", "bpxzk"), "\xD5\xE6");
    EXPECT_EQ(Saved("KTBP", "bp"), "3");
    before = round;
    leftTemporaryFiles += FolderEntries().size() > 1 ? 1 : 0;
  }
  // Otherwise no kill came in the middle of a write, and this test proved nothing.
  EXPECT_GT(leftTemporaryFiles, 0);

  // The next copy starts on what was left, and its first write tidies up.
  Run([&] {
    EXPECT_EQ(TextOf(Control::编辑框1), BAddress(before, kPadding));
    Fill(Control::编辑框1, BAddress(before + 1, 0));
    Click(Control::按钮1);
  });
  EXPECT_EQ(Saved("KTB", "b"), BAddress(before + 1, 0));
  EXPECT_EQ(FolderEntries(), std::set<std::string>{"config.ini"});
}

TEST_F(SettingsFaults, CopiesWritingDifferentKeysAtOnceLoseNothing) {
  // The X copy goes on long after the others: a write of it from a stale file would undo theirs.
  Copy bCopy(folder_, "b", 30, 1000);
  Copy xCopy(folder_, "x", 300);
  Copy partCopy(folder_, "part", 31);
  for (Copy* copy : {&bCopy, &xCopy, &partCopy})
    copy->Start();
  for (Copy* copy : {&bCopy, &xCopy, &partCopy}) {
    const int status = copy->Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  EXPECT_EQ(bCopy.LastRoundDone(), 30);
  EXPECT_EQ(xCopy.LastRoundDone(), 300);
  EXPECT_EQ(partCopy.LastRoundDone(), 31);
  EXPECT_EQ(Saved("KTB", "b"), BAddress(30, 1000));
  EXPECT_EQ(Saved("KTX", "x"), XAddress(300));
  EXPECT_EQ(Saved("KTBP", "bpxzk"), "\xD5\xE6");  // 31 clicks from unticked
  EXPECT_EQ(FolderEntries(), std::set<std::string>{"config.ini"});
}

}  // namespace
