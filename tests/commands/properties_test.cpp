// The property rules shared by every platform, on a window made from the design.
#include "ui/properties.h"
#include "platform/fake/fake.h"
#include "platform/platform.h"
#include "tests/commands/program_fixture.h"
#include "ui/design.h"

namespace {

using enum Control;

class Properties : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::ResetMachine();
    fake::StartProcess();
    ASSERT_TRUE(platform::CreateMainWindow(MainWindowDesign(), nullptr));
    fake::ForgetWindowLog();
  }
};

TEST_F(Properties, TopIsLimitedAndMovesOnlyVertically) {
  struct Case {
    int written;
    int read;
  };
  const Case cases[] = {{100, 100},     {-5, -5},         {32627, 32627},  {32628, 32627},
                        {40000, 32627}, {-32627, -32627}, {-40000, -32627}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    const Rect before = platform::WindowRect();
    SetWindowTop(c.written);
    EXPECT_EQ(platform::WindowRect(), (Rect{before.left, c.read, before.width, before.height}));
  }
}

TEST_F(Properties, HeightIsLimitedAndKeepsThePlace) {
  struct Case {
    int written;
    int read;
  };
  const Case cases[] = {{262, 262}, {40000, 32627}, {32627, 32627}, {-5, 0}, {152, 152}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    const Rect before = platform::WindowRect();
    SetWindowHeightTo(c.written);
    EXPECT_EQ(platform::WindowRect(), (Rect{before.left, before.top, before.width, c.read}));
  }
}

TEST_F(Properties, NothingHappensWhenTheRectangleIsUnchanged) {
  const Rect window = platform::WindowRect();
  MoveWindowIfChanged(window);
  SetWindowTop(window.top);
  SetWindowHeightTo(window.height);
  MoveControlIfChanged(编辑框7, platform::ControlRect(编辑框7));
  EXPECT_TRUE(fake::WindowLog().empty());

  MoveWindowIfChanged({1, 2, 928, 152});
  MoveControlIfChanged(编辑框7, {0, 0, 922, 233});
  const std::vector<std::string> expected = {"move 1,2,928,152", "move control 4 to 0,0,922,233"};
  EXPECT_EQ(fake::WindowLog(), expected);
}

TEST_F(Properties, CountMinusOneSelectsTheWholeText) {
  platform::SetControlText(编辑框7, "abc\xD5\xE6");
  SetSelectedCharacterCount(编辑框7, 0);
  EXPECT_EQ(fake::SelectionOf(编辑框7), (fake::Selection{0, 0}));
  SetSelectedCharacterCount(编辑框7, -1);
  EXPECT_EQ(fake::SelectionOf(编辑框7), (fake::Selection{0, 5}));

  platform::SetControlText(编辑框7, "");
  SetSelectedCharacterCount(编辑框7, -1);
  EXPECT_EQ(fake::SelectionOf(编辑框7), (fake::Selection{0, 0}));
}

}  // namespace
