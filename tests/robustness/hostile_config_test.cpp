// Start-up on a config.ini that another program, an editor or a broken disk left behind: the
// program starts, shows what the file plainly says, and a later open still saves and restores.
#include <sys/stat.h>

#include <random>

#include "tests/commands/program_fixture.h"

namespace {

using enum Control;
using namespace std::string_literals;

const std::string kB = "https://www.bilibili.com/video/BV1xx411c7mD";
const std::string kNewB = "https://www.bilibili.com/video/BV1yy411c7mE";
const std::string kX = "https://www.ixigua.com/7012345678901234567";

// What the window shows right after start.
struct Shown {
  std::string bBox;
  std::string xBox;
  bool ticked = false;
  std::string part;
};

Shown Show() {
  return {TextOf(编辑框1), TextOf(编辑框4), platform::IsTicked(选择框3), TextOf(编辑框5)};
}

void ExpectShown(const Shown& shown, const Shown& expected) {
  EXPECT_EQ(shown.bBox, expected.bBox);
  EXPECT_EQ(shown.xBox, expected.xBox);
  EXPECT_EQ(shown.ticked, expected.ticked);
  EXPECT_EQ(shown.part, expected.part);
}

// Bytes of every value, newlines included; the same bytes for the same variant.
std::string Junk(size_t size, unsigned variant) {
  std::mt19937 random(variant);
  std::string junk(size, '\0');
  for (char& c : junk)
    c = static_cast<char>(random());
  return junk;
}

constexpr size_t k10MB = 10 * 1024 * 1024;
const std::string kOurSections =
    "[KTB]\r\nb=" + kB + "\r\n[KTBP]\r\nbpxzk=\xD5\xE6\r\nbp=3\r\n[KTX]\r\nx=" + kX + "\r\n";

class HostileConfig : public ProgramTest {
 protected:
  // Starts on the file, checks what shows, then opens a new B address and checks that the next
  // start shows it while the rest of what was read stays.
  void StartOn(const std::string& file, const Shown& expected) {
    WriteConfig(file);
    Shown first;
    EXPECT_EQ(Run([&] {
                first = Show();
                Fill(编辑框1, kNewB);
                Click(按钮1);
                EXPECT_EQ(Caption(), "Tivarel");
              }),
              0);
    ExpectShown(first, expected);
    Shown second;
    EXPECT_EQ(Run([&] { second = Show(); }), 0);
    Shown afterWrite = expected;
    afterWrite.bBox = kNewB;
    ExpectShown(second, afterWrite);
  }
};

TEST_F(HostileConfig, TenMegabytesOfJunk) {
  StartOn(Junk(k10MB, 1), {});
  // The junk is the user's file: the write kept it.
  EXPECT_GE(ConfigBytes().value_or("").size(), k10MB);
}

TEST_F(HostileConfig, OurSectionsAfterTenMegabytesOfJunk) {
  StartOn(Junk(k10MB, 2) + "\n" + kOurSections, {kB, kX, true, "3"});
}

TEST_F(HostileConfig, TenMegabytesOnOneLine) {
  StartOn("[KTB]\nb=" + std::string(k10MB, 'a') + "\n[KTX]\nx=" + kX + "\n",
          {std::string(k10MB, 'a'), kX, false, ""});
}

TEST_F(HostileConfig, FilesAnEditorOrAnotherProgramMightLeave) {
  struct Case {
    const char* name;
    std::string file;
    Shown expected;
  };
  const Case cases[] = {
      {"utf-8 byte order mark", "\xEF\xBB\xBF" + kOurSections, {kB, kX, true, "3"}},
      {"mixed CR LF and LF",
       "[KTB]\r\nb=" + kB + "\n[KTBP]\nbpxzk=\xD5\xE6\r\nbp=3\n[KTX]\r\nx=" + kX + "\r\n",
       {kB, kX, true, "3"}},
      {"cut between CR and LF",
       "[KTX]\r\nx=" + kX + "\r\n[KTBP]\r\nbp=3\r\nbpxzk=\xD5\xE6\r",
       {"", kX, true, "3"}},
      // The first of each, as the Windows profile functions read them.
      {"duplicate keys",
       "[KTB]\nb=" + kB + "\nb=https://www.bilibili.com/video/BV1zz411c7mF\n[KTX]\nx=" + kX +
           "\nx=other\n",
       {kB, kX, false, ""}},
      {"duplicate sections",
       "[KTB]\nb=" + kB + "\n[KTX]\nx=" + kX + "\n[KTB]\nb=other\n[KTX]\nx=other\n",
       {kB, kX, false, ""}},
      {"a key only in the repeated section",
       "[KTB]\n[KTX]\nx=" + kX + "\n[KTB]\nb=" + kB + "\n",
       {kB, kX, false, ""}},
      {"control bytes and bytes of no character",
       "[KTB]\nb=\x01\x02\x7F\x80\xFF\xD5\n[KTX]\nx=" + kX + "\n",
       {"\x01\x02\x7F\x80\xFF\xD5", kX, false, ""}},
      {"blank and comment lines, names in another case",
       "; saved by hand\n\n  [ ktbp ]  \n BPXZK =\xD5\xE6\n\n[KTX]\n# x=no\nx=" + kX + "\n",
       {"", kX, true, ""}},
      {"a section line without its bracket",
       "[KTB\nb=" + kB + "\n[KTX]\nx=" + kX + "\n",
       {"", kX, false, ""}},
      {"an empty file", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ConfigPath());
    StartOn(c.file, c.expected);
  }
}

// A NUL cannot be in a text of the program; it must not cost the other values.
TEST_F(HostileConfig, NulBytesInTheFile) {
  WriteConfig(std::string("[KTB]\nb=ab\0cd\n[KTX]\nx=", 22) + kX +
              "\n\0\0\n[KTBP]\nbpxzk=\xD5\xE6\n"s);
  Shown shown;
  EXPECT_EQ(Run([&] { shown = Show(); }), 0);
  EXPECT_EQ(shown.xBox, kX);
  EXPECT_TRUE(shown.ticked);
}

// What cannot be read as a file reads as no file, and start-up neither waits nor fills memory.
TEST_F(HostileConfig, NotARegularFile) {
  struct Case {
    const char* name;
    void (*make)(const std::filesystem::path& config);
  };
  const Case cases[] = {
      {"a folder", [](const auto& config) { std::filesystem::create_directory(config); }},
      {"a named pipe nobody writes", [](const auto& config) { mkfifo(config.c_str(), 0644); }},
      {"a link to an endless device",
       [](const auto& config) { std::filesystem::create_symlink("/dev/zero", config); }},
      {"a link to nowhere",
       [](const auto& config) { std::filesystem::create_symlink("missing.ini", config); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(ConfigPath());
    c.make(ConfigPath());
    Shown shown{"x", "x", true, "x"};
    EXPECT_EQ(Run([&] {
                shown = Show();
                Fill(编辑框1, kNewB);
                Click(按钮1);  // the browser still opens; the write fails without a word
                EXPECT_EQ(fake::OpenedLinks().size(), 1u);
                EXPECT_EQ(Caption(), "Tivarel");
              }),
              0);
    ExpectShown(shown, {});
    fake::ForgetOpenedLinks();
  }
}

}  // namespace
