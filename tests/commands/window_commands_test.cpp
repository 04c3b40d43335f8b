// Expanding, collapsing, pinning and the home page, on a 1920 x 1080 screen.
#include "ui/window_commands.h"
#include "tests/commands/program_fixture.h"

namespace {

using enum Control;

class WindowCommands : public ProgramTest {};

TEST_F(WindowCommands, ExpandingMovesUpOnlyWhenTheWindowWouldPassTheScreensBottom) {
  struct Case {
    int top;  // where the user left the collapsed window
    int topAfter;
  };
  const Case cases[] = {
      {918, 808},   // where start-up puts it
      {818, 818},   // the expanded bottom edge lands exactly on the screen's
      {819, 808},   //
      {100, 100},   //
      {1000, 808},  // dragged partly below the screen
      {-20, -20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.top);
    Run([&] {
      fake::DragWindowTo(300, c.top);
      fake::ForgetWindowLog();
      Click(按钮13);
      EXPECT_EQ(TextOf(按钮13), Gb("收起↑"));
      EXPECT_EQ(platform::WindowRect(), (Rect{300, c.topAfter, 928, 262}));
      std::vector<std::string> expected;
      if (c.top != c.topAfter)
        expected.push_back("move 300," + std::to_string(c.topAfter) + ",928,152");
      expected.push_back("height 262");
      EXPECT_EQ(fake::WindowLog(), expected);
    });
  }
}

TEST_F(WindowCommands, CollapsingKeepsTheTop) {
  Run([] {
    Click(按钮13);
    ASSERT_EQ(platform::WindowRect(), (Rect{496, 808, 928, 262}));
    Click(按钮13);
    EXPECT_EQ(TextOf(按钮13), Gb("展开↓"));
    EXPECT_EQ(platform::WindowRect(), (Rect{496, 808, 928, 152}));
    Click(按钮13);  // 808 is not below 818: no move this time
    EXPECT_EQ(platform::WindowRect(), (Rect{496, 808, 928, 262}));
  });
}

TEST_F(WindowCommands, ExpandingOnAShortScreenMayPutTheTopAboveIt) {
  fake::SetScreenSize({1024, 200});
  Run([] {
    Click(按钮13);
    EXPECT_EQ(platform::WindowRect(), (Rect{48, -72, 928, 262}));
  });
}

TEST_F(WindowCommands, PinFollowsTheTick) {
  Run([] {
    Click(选择框2);
    EXPECT_TRUE(platform::IsTicked(选择框2));
    EXPECT_TRUE(fake::AlwaysOnTop());
    Click(选择框2);
    EXPECT_FALSE(platform::IsTicked(选择框2));
    EXPECT_FALSE(fake::AlwaysOnTop());
    const std::vector<std::string> expected = {"height 152", "move 496,918,928,152", "show",
                                               "on top", "not on top"};
    EXPECT_EQ(fake::WindowLog(), expected);
  });
}

TEST_F(WindowCommands, HomePageOpensFromTheExpandedWindowOnly) {
  Run([] {
    EXPECT_EQ(fake::Click(按钮14), std::nullopt);
    EXPECT_TRUE(fake::OpenedLinks().empty());
    Click(按钮13);
    Click(按钮14);
    EXPECT_EQ(fake::OpenedLinks(), std::vector<Text>{"https://tivarel.github.io/"});
    EXPECT_EQ(Caption(), "Tivarel");
  });
}

}  // namespace
