#include "tests/commands/program_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/program_state.h"
#include "app/start_up.h"
#include "platform/encoding.h"
#include "platform/platform.h"
#include "settings/ini.h"

Text Gb(std::string_view utf8) {
  return TextFromUtf8(utf8);
}

void ProgramTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tivarel-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  fake::ResetMachine();
  fake::SetExecutablePath((folder_ / "tivarel").string());
}

void ProgramTest::TearDown() {
  std::error_code ignored;
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(folder_, ignored);
}

int ProgramTest::Run(const std::function<void()>& session) {
  // A new process starts with the program state as the language leaves a global record.
  ProgramState = ProgramStateRecord{};
  fake::StartProcess();
  fake::SetSession(session);
  char name[] = "tivarel";
  char* argv[] = {name, nullptr};
  const int status = RunTivarel(1, argv);
  return fake::EndProcess(status);
}

std::optional<std::string> ProgramTest::ConfigBytes() const {
  std::ifstream in(ConfigPath(), std::ios::binary);
  if (!in)
    return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void ProgramTest::WriteConfig(std::string_view bytes) const {
  std::ofstream out(ConfigPath(), std::ios::binary);
  out << bytes;
}

std::optional<Text> ProgramTest::Saved(std::string_view section, std::string_view key) const {
  const std::optional<std::string> file = ConfigBytes();
  if (!file)
    return std::nullopt;
  return IniLookup(*file, section, key);
}

void Click(Control control) {
  EXPECT_EQ(fake::Click(control), std::optional(control))
      << "the click did not reach control #" << static_cast<int>(control);
}

void Fill(Control box, std::string_view text) {
  Click(box);
  fake::SelectAll();
  fake::Paste(text);
}

Text TextOf(Control control) {
  return platform::ControlText(control);
}

Text Caption() {
  return fake::WindowCaption();
}
