// The window's own rules as the user meets them: clicks, typing, the part box, Esc, Tab, Enter.
#include "app/program_state.h"
#include "tests/commands/program_fixture.h"
#include "ui/design.h"

namespace {

using enum Control;
using fake::Key;

class Keyboard : public ProgramTest {};

TEST_F(Keyboard, PartBoxTakesDigitsAndMinusUpToTwoBytesButPastesUnfiltered) {
  struct Case {
    const char* typed;  // "\b" is Backspace
    const char* pasted;
    const char* text;
  };
  const Case cases[] = {{"a", "", ""},          {"123", "", "12"}, {"-5", "", "-5"},
                        {"12\b7", "", "17"},    {"4x2", "", "42"}, {"", "ab", "ab"},
                        {"", "abc", "ab"},      {"1", "ab", "1a"}, {"", "\xD5\xE6!", "\xD5\xE6"},
                        {"1", "\xD5\xE6", "1"},  // no half characters
                        {"\xD5\xE6", "", ""}};
  WriteConfig("[KTBP]\nbpxzk=\xD5\xE6\n");
  Run([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.typed) + " | " + c.pasted);
      Fill(编辑框5, "");
      fake::Type(c.typed);
      fake::Paste(c.pasted);
      EXPECT_EQ(TextOf(编辑框5), c.text);
    }
  });
}

TEST_F(Keyboard, EnterBreaksTheLineOnlyInBoxesOfSeveralLines) {
  WriteConfig("[KTBP]\nbpxzk=\xD5\xE6\nbp=3\n");
  Run([] {
    Fill(编辑框1, "ab");
    fake::Press(Key::Enter);
    fake::Type("c");
    EXPECT_EQ(TextOf(编辑框1), "ab\r\nc");

    Click(编辑框5);
    fake::Press(Key::Enter);
    EXPECT_EQ(TextOf(编辑框5), "3");
    EXPECT_EQ(fake::Focus(), std::optional(编辑框5));

    fake::Press(Key::Tab);  // onto a button
    const auto button = fake::Focus();
    ASSERT_TRUE(button.has_value());
    EXPECT_EQ(DesignOf(*button).kind, ControlKind::Button);
    fake::Press(Key::Enter);
    EXPECT_EQ(fake::Focus(), button);
    EXPECT_TRUE(fake::OpenedLinks().empty());
    EXPECT_EQ(Caption(), "Tivarel");
  });
}

TEST_F(Keyboard, TabVisitsShownEnabledControlsInStackingOrderAndNeverTypesATab) {
  Run([] {
    // After start 按钮11, 按钮12 are hidden, 编辑框5 is disabled, labels never take the focus.
    const Control expected[] = {按钮14,  按钮13,  编辑框7, 编辑框11, 按钮10, 按钮9,   选择框3,
                                按钮5,   编辑框3, 按钮6,   按钮7,    按钮8,  编辑框4, 按钮4,
                                编辑框2, 选择框2, 按钮3,   按钮2,    按钮1,  编辑框1, 按钮14};
    Click(编辑框1);
    for (Control c : expected) {
      fake::Press(Key::Tab);
      EXPECT_EQ(fake::Focus(), std::optional(c));
    }
    EXPECT_EQ(TextOf(编辑框1), "");
  });
}

TEST_F(Keyboard, SpaceOnAFocusedButtonClicksIt) {
  Run([] {
    Click(按钮1);  // the empty B box is rejected
    ASSERT_EQ(fake::Focus(), std::optional(按钮1));
    fake::Press(Key::Tab);
    fake::Press(Key::Tab);
    ASSERT_EQ(fake::Focus(), std::optional(按钮14));
    fake::Press(Key::Tab);  // 按钮13
    fake::Type(" ");
    EXPECT_EQ(TextOf(按钮13), Gb("收起↑"));
  });
}

TEST_F(Keyboard, EscClosesTheWindowFromAnyControlAndTheProgramEndsWithZero) {
  for (Control focus : {编辑框1, 选择框2, 按钮9}) {
    bool closed = false;
    const int status = Run([&] {
      fake::Click(focus);
      fake::Press(Key::Esc);
      closed = !fake::WindowExists();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(status, 0);
  }
}

class Clicks : public ProgramTest {};

TEST_F(Clicks, HiddenAndDisabledControlsRunNothing) {
  Run([] {
    // 按钮12 lies hidden over the X search row; 编辑框5 is disabled.
    Click(按钮13);
    fake::SetClipboard("kept");
    EXPECT_EQ(fake::Click(按钮12), std::nullopt);
    EXPECT_EQ(fake::Clipboard(), std::optional<Text>("kept"));
    EXPECT_EQ(fake::Click(编辑框5), std::optional(编辑框5));
    EXPECT_NE(fake::Focus(), std::optional(编辑框5));
    fake::Type("1");
    EXPECT_EQ(TextOf(编辑框5), "");
  });
}

TEST_F(Clicks, ACheckBoxTicksBeforeItsCommandAndTickingFromCodeRunsNothing) {
  Run([] {
    Click(选择框3);
    EXPECT_TRUE(platform::IsTicked(选择框3));
    EXPECT_TRUE(fake::IsEnabled(编辑框5));  // the command saw the new tick
    platform::SetTicked(选择框3, false);
    EXPECT_TRUE(fake::IsEnabled(编辑框5));
    EXPECT_EQ(TextOf(编辑框5), "1");
  });
  EXPECT_EQ(Saved("KTBP", "bpxzk"), std::optional(Gb("真")));
}

TEST_F(Clicks, LabelsTakeNoClicksAndPointsOutsideTheClientAreaReachNothing) {
  Run([] {
    EXPECT_EQ(fake::ClickAt(20, 20), std::nullopt);  // 标签1
    EXPECT_EQ(fake::ClickAt(200, 20), std::optional(编辑框1));
    EXPECT_EQ(fake::ClickAt(-1, 20), std::nullopt);
    EXPECT_EQ(fake::ClickAt(921, 122), std::nullopt);  // the client's last pixel, empty
    EXPECT_EQ(fake::ClickAt(200, 123), std::nullopt);  // just below the client area
  });
}

TEST_F(Clicks, TheWindowIsPlacedBeforeItIsShown) {
  Run([] {
    EXPECT_EQ(fake::RectWhenShown(), std::optional(platform::WindowRect()));
    const std::vector<std::string> expected = {"height 152", "move 496,918,928,152", "show"};
    EXPECT_EQ(fake::WindowLog(), expected);
  });
}

TEST_F(Clicks, ClientAreaFollowsTheFrame) {
  fake::SetFrame({8, 31, 8, 8});
  Run([] { EXPECT_EQ(platform::ClientSize(), (Size{912, 113})); });
}

}  // namespace
