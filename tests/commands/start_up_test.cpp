// From start-up to shutdown: the saved state restored, the start placement, a restart.
#include "app/start_up.h"
#include "app/program_state.h"
#include "tests/commands/program_fixture.h"
#include "ui/window_commands.h"

namespace {

using enum Control;

class StartUp : public ProgramTest {};

TEST_F(StartUp, RestoresTheBoxesAndThePartSwitchFromTheSettings) {
  struct Case {
    const char* name;
    std::optional<std::string> file;  // config.ini, GB18030
    const char* bBox;
    const char* xBox;
    bool ticked;
    const char* part;
    bool partEnabled;
    Rgb partBackground;
  };
  const std::string b = "https://www.bilibili.com/video/BV1xx411c7mD?p=2";
  const std::string x = "https://www.ixigua.com/7012345678901234567";
  const Case cases[] = {
      {"no file", std::nullopt, "", "", false, "", false, 0x808080},
      {"switch on with part number 3",
       "[KTB]\r\nb=" + b + "\r\n[KTBP]\r\nbpxzk=\xD5\xE6\r\nbp=3\r\n[KTX]\r\nx=" + x + "\r\n",
       b.c_str(), x.c_str(), true, "3", true, 0xE8F4EF},
      {"switch on without bp", "[KTBP]\r\nbpxzk=\xD5\xE6\r\n", "", "", true, "", true, 0xE8F4EF},
      {"switch off keeps bp hidden", "[KTBP]\r\nbpxzk=\xBC\xD9\r\nbp=3\r\n", "", "", false, "",
       false, 0x808080},
      {"other text", "[KTBP]\r\nbpxzk=true\r\nbp=3\r\n", "", "", false, "", false, 0x808080},
      {"switch on with a trailing byte", "[KTBP]\nbpxzk=\xD5\xE6x\nbp=3\n", "", "", false, "",
       false, 0x808080},
      {"names in another case, a part of three bytes", "[ktbp]\nBPXZK=\xD5\xE6\nBp=123\n", "", "",
       true, "123", true, 0xE8F4EF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ConfigPath());
    if (c.file)
      WriteConfig(*c.file);
    Run([&] {
      EXPECT_EQ(TextOf(编辑框1), c.bBox);
      EXPECT_EQ(TextOf(编辑框4), c.xBox);
      EXPECT_EQ(platform::IsTicked(选择框3), c.ticked);
      EXPECT_EQ(TextOf(编辑框5), c.part);
      EXPECT_EQ(fake::IsEnabled(编辑框5), c.partEnabled);
      EXPECT_EQ(fake::Background(编辑框5), std::optional(c.partBackground));
    });
    // Reading and restoring wrote nothing, and ticking from code ran no command.
    EXPECT_EQ(ConfigBytes(), c.file);
  }
}

TEST_F(StartUp, StartsCollapsedUnpinnedWithTheViewClosed) {
  WriteConfig("[KTB]\nb=https://www.bilibili.com/video/BV1xx411c7mD\n");
  Run([] {
    EXPECT_TRUE(fake::WindowShown());
    EXPECT_EQ(Caption(), "Tivarel");
    EXPECT_EQ(TextOf(按钮13), Gb("展开↓"));
    EXPECT_EQ(platform::WindowRect().height, CollapsedHeight);
    EXPECT_FALSE(platform::IsTicked(选择框2));
    EXPECT_FALSE(fake::AlwaysOnTop());
    EXPECT_FALSE(fake::IsVisible(按钮11));
    EXPECT_FALSE(fake::IsVisible(按钮12));
    EXPECT_TRUE(fake::IsVisible(按钮13));
    EXPECT_TRUE(fake::IsVisible(按钮14));
    EXPECT_EQ(platform::ControlRect(编辑框7), (Rect{80, 416, 72, 64}));
    EXPECT_FALSE(ProgramState.composeOnly);
    EXPECT_FALSE(ProgramState.recollapseOnClose);
    EXPECT_EQ(ProgramState.savedBUrl, "https://www.bilibili.com/video/BV1xx411c7mD");
  });
}

TEST_F(StartUp, PlacesTheWindowCentredTenPixelsAboveTheScreensBottom) {
  struct Case {
    Size screen;
    Rect placed;
  };
  const Case cases[] = {
      {{1920, 1080}, {496, 918, 928, 152}},
      {{1365, 768}, {218, 606, 928, 152}},  // 437 / 2: the half pixel is dropped
      {{800, 600}, {-64, 438, 928, 152}},   // narrower than the window: nothing is clamped
      {{927, 600}, {0, 438, 928, 152}},     // -0.5 goes toward zero
      {{929, 100}, {0, -62, 928, 152}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height));
    fake::SetScreenSize(c.screen);
    Run([&] {
      EXPECT_EQ(platform::WindowRect(), c.placed);
      EXPECT_EQ(fake::RectWhenShown(), std::optional(c.placed));
    });
  }
}

TEST_F(StartUp, ClosingRightAfterStartWritesNothingAndReleasesTheTextsAfterTheWindow) {
  WriteConfig("[KTB]\nb=abc\n[KTX]\nx=def\n[KTBP]\nbp=1\nbpxzk=\xD5\xE6\n");
  bool heldDuringRun = false;
  EXPECT_EQ(Run([&] {
              heldDuringRun = ProgramState.savedBUrl == "abc" && ProgramState.savedXUrl == "def" &&
                              ProgramState.savedBPart == "1" &&
                              ProgramState.savedPartSwitch == "\xD5\xE6";
              fake::CloseBox();
            }),
            0);
  EXPECT_TRUE(heldDuringRun);
  EXPECT_FALSE(fake::WindowExists());
  EXPECT_EQ(ProgramState.savedBUrl, "");
  EXPECT_EQ(ProgramState.savedXUrl, "");
  EXPECT_EQ(ProgramState.savedBPart, "");
  EXPECT_EQ(ProgramState.savedPartSwitch, "");
  EXPECT_EQ(ConfigBytes(), "[KTB]\nb=abc\n[KTX]\nx=def\n[KTBP]\nbp=1\nbpxzk=\xD5\xE6\n");

  std::filesystem::remove(ConfigPath());
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
}

TEST_F(StartUp, ASecondRunReadsWhatTheFirstWroteAndForgetsPinAndExpansion) {
  const Text b = "https://www.bilibili.com/video/BV1xx411c7mD/?spm=1";
  const Text x = "https://www.ixigua.com/7012345678901234567?logTag=" + Gb("视频");
  Run([&] {
    Fill(编辑框1, b);
    Click(选择框3);
    Fill(编辑框5, "7");
    Click(按钮1);
    Click(按钮13);
    Fill(编辑框4, x);
    Click(按钮8);
    Click(选择框2);
    EXPECT_TRUE(fake::AlwaysOnTop());
  });
  Run([&] {
    EXPECT_EQ(TextOf(编辑框1), b);
    EXPECT_EQ(TextOf(编辑框4), x);
    EXPECT_TRUE(platform::IsTicked(选择框3));
    EXPECT_EQ(TextOf(编辑框5), "7");
    EXPECT_EQ(platform::WindowRect(), (Rect{496, 918, 928, 152}));
    EXPECT_EQ(TextOf(按钮13), Gb("展开↓"));
    EXPECT_FALSE(platform::IsTicked(选择框2));
    EXPECT_FALSE(fake::AlwaysOnTop());
  });
}

TEST_F(StartUp, AWindowThatCannotBeMadeIsReportedAndEndsWithMinusOne) {
  fake::SetWindowCreationFails(true);
  bool sessionRan = false;
  EXPECT_EQ(Run([&] { sessionRan = true; }), -1);
  EXPECT_FALSE(sessionRan);
  ASSERT_EQ(fake::StartFailureReports().size(), 1u);
  EXPECT_FALSE(fake::StartFailureReports()[0].empty());
}

TEST_F(StartUp, SettingsLiveBesideTheExecutable) {
  const std::filesystem::path sub = folder_ / "bin";
  std::filesystem::create_directory(sub);
  fake::SetExecutablePath((sub / "tivarel").string());
  Run([] {
    Click(按钮13);
    Fill(编辑框4, "https://www.ixigua.com/7012345678901234567");
    Click(按钮8);
  });
  EXPECT_TRUE(std::filesystem::exists(sub / "config.ini"));
  EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
}

}  // namespace
