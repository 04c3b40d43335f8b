// Generating, showing, copying and closing the embed snippet.
#include "app/program_state.h"
#include "tests/commands/program_fixture.h"

namespace {

using enum Control;
using fake::Key;

constexpr char kB[] = "https://www.bilibili.com/video/BV1xx411c7mD";
constexpr char kX[] = "https://www.ixigua.com/7012345678901234567";
constexpr char kHead[] = "<iframe src=\"";
constexpr char kTail[] =
    "\" allowfullscreen=\"allowfullscreen\" width=\"720\" height=\"405\" scrolling=\"no\" "
    "frameborder=\"0\" sandbox=\"allow-top-navigation allow-same-origin allow-forms "
    "allow-scripts\"></iframe>";

std::string BSnippet(std::string_view partParameter = "") {
  return std::string(kHead) + "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD" +
         std::string(partParameter) + "&danmaku=0" + kTail;
}

std::string XSnippet() {
  return std::string(kHead) + "https://www.ixigua.com/iframe/7012345678901234567" + kTail;
}

void ExpectViewOpen(const std::string& snippet) {
  EXPECT_TRUE(fake::IsVisible(编辑框7));
  EXPECT_EQ(TextOf(编辑框7), snippet);
  const Size client = platform::ClientSize();
  EXPECT_EQ(platform::ControlRect(编辑框7), (Rect{0, 0, client.width, client.height}));
  EXPECT_TRUE(fake::IsVisible(按钮11));
  EXPECT_TRUE(fake::IsVisible(按钮12));
  EXPECT_FALSE(fake::IsVisible(按钮13));
  EXPECT_FALSE(fake::IsVisible(按钮14));
  EXPECT_EQ(Caption(), "Tivarel");
}

void ExpectViewClosed() {
  EXPECT_FALSE(fake::IsVisible(编辑框7));
  EXPECT_EQ(TextOf(编辑框7), "");
  EXPECT_FALSE(fake::IsVisible(按钮11));
  EXPECT_FALSE(fake::IsVisible(按钮12));
  EXPECT_TRUE(fake::IsVisible(按钮13));
  EXPECT_TRUE(fake::IsVisible(按钮14));
}

int Height() {
  return platform::WindowRect().height;
}

class Snippet : public ProgramTest {};

TEST_F(Snippet, EmptyBBoxInACollapsedWindowIsRejectedWithoutExpanding) {
  Run([] {
    Click(按钮9);
    EXPECT_EQ(Height(), 152);
    EXPECT_EQ(TextOf(按钮13), Gb("展开↓"));
    EXPECT_EQ(fake::TextColour(标签1), 0xFF0000u);
    EXPECT_EQ(Caption(), Gb("Tivarel-核对视频地址是否正确"));
    EXPECT_FALSE(ProgramState.recollapseOnClose);
    EXPECT_FALSE(fake::IsVisible(按钮11));
  });
  EXPECT_FALSE(ConfigBytes().has_value());
}

TEST_F(Snippet, RejectedBAddressExpandsAndTheNextViewToCloseCollapses) {
  Run([this] {
    Fill(编辑框1, "https://www.bilibili.com/video/BV1");
    Click(按钮9);
    EXPECT_EQ(Height(), 262);
    EXPECT_EQ(platform::WindowRect().top, 808);
    EXPECT_EQ(TextOf(按钮13), Gb("收起↑"));
    EXPECT_EQ(fake::TextColour(标签1), 0xFF0000u);
    EXPECT_EQ(Caption(), Gb("Tivarel-核对视频地址是否正确"));
    EXPECT_TRUE(ProgramState.recollapseOnClose);
    EXPECT_FALSE(fake::IsVisible(按钮11));
    EXPECT_FALSE(ConfigBytes().has_value());

    Fill(编辑框4, kX);
    Click(按钮10);
    ExpectViewOpen(XSnippet());
    EXPECT_EQ(Height(), 262);
    EXPECT_EQ(fake::TextColour(标签1), 0xFF0000u);  // the X snippet leaves the B label alone
    Click(按钮11);
    ExpectViewClosed();
    EXPECT_EQ(Height(), 152);
    EXPECT_EQ(TextOf(按钮13), Gb("展开↓"));
    EXPECT_FALSE(ProgramState.recollapseOnClose);
  });
  EXPECT_EQ(Saved("KTX", "x"), std::optional<Text>(kX));
}

TEST_F(Snippet, AcceptedBFromACollapsedWindowExpandsShowsAndCollapsesOnClose) {
  Run([] {
    Fill(编辑框1, std::string(kB) + "?p=1");
    Click(按钮9);
    EXPECT_EQ(Height(), 262);
    EXPECT_TRUE(ProgramState.recollapseOnClose);
    EXPECT_FALSE(ProgramState.composeOnly);
    ExpectViewOpen(BSnippet());
    EXPECT_EQ(platform::ControlRect(编辑框7), (Rect{0, 0, 922, 233}));
    EXPECT_TRUE(fake::OpenedLinks().empty());
    EXPECT_EQ(TextOf(编辑框6), "BV1xx411c7mD");

    Click(按钮11);
    ExpectViewClosed();
    EXPECT_EQ(Height(), 152);
    EXPECT_EQ(platform::WindowRect().top, 808);
    EXPECT_FALSE(ProgramState.recollapseOnClose);
    EXPECT_EQ(platform::ControlRect(编辑框7), (Rect{0, 0, 922, 233}));  // keeps its place
    EXPECT_EQ(Caption(), "Tivarel");
  });
  EXPECT_EQ(Saved("KTB", "b"), std::optional(std::string(kB) + "?p=1"));
  EXPECT_EQ(Saved("KTBP", "bpxzk"), std::nullopt);
}

TEST_F(Snippet, AWindowExpandedByTheUserStaysExpanded) {
  Run([] {
    Click(按钮13);
    Fill(编辑框1, kB);
    Click(按钮9);
    EXPECT_FALSE(ProgramState.recollapseOnClose);
    ExpectViewOpen(BSnippet());
    Click(按钮11);
    EXPECT_EQ(Height(), 262);

    Click(按钮10);  // the X box is empty
    EXPECT_EQ(fake::TextColour(标签3), 0xFF0000u);
    EXPECT_FALSE(fake::IsVisible(编辑框7));
    Fill(编辑框4, std::string(kX) + "?logTag=1");
    Click(按钮10);
    EXPECT_EQ(fake::TextColour(标签3), 0xFF5080u);
    ExpectViewOpen(XSnippet());
    Click(按钮11);
    EXPECT_EQ(Height(), 262);
    EXPECT_TRUE(fake::OpenedLinks().empty());
  });
}

TEST_F(Snippet, PartSwitchAddsThePartToBAndNeverToX) {
  Run([] {
    Click(选择框3);
    Fill(编辑框5, "3");
    Fill(编辑框1, kB);
    Click(按钮9);
    ExpectViewOpen(BSnippet("&p=3"));
    Click(按钮11);
    Click(按钮13);
    Fill(编辑框4, kX);
    Click(按钮10);
    ExpectViewOpen(XSnippet());
  });
  EXPECT_EQ(Saved("KTBP", "bpxzk"), std::optional(Gb("真")));
  EXPECT_EQ(Saved("KTBP", "bp"), std::optional<Text>("3"));
}

TEST_F(Snippet, TheViewCoversTheClientAreaAndOnlyItsButtonsStayInReach) {
  fake::SetFrame({8, 31, 8, 8});
  Run([] {
    Fill(编辑框1, kB);
    Click(按钮9);
    EXPECT_EQ(platform::ControlRect(编辑框7), (Rect{0, 0, 912, 223}));
    EXPECT_EQ(fake::ClickAt(200, 20), std::optional(编辑框7));  // where 编辑框1 lies
    EXPECT_EQ(fake::ClickAt(20, 20), std::optional(编辑框7));   // where 标签1 lies
    EXPECT_EQ(fake::ClickAt(800, 80), std::optional(编辑框7));  // the hidden expand toggle
    EXPECT_EQ(fake::Click(按钮12), std::optional(按钮12));
    EXPECT_EQ(fake::Click(按钮11), std::optional(按钮11));
    ExpectViewClosed();
    // Closed, the rows are back in reach.
    EXPECT_EQ(fake::ClickAt(200, 20), std::optional(编辑框1));
  });
}

TEST_F(Snippet, CopyPutsTheViewsTextOnTheClipboardAndSelectsIt) {
  Run([] {
    Fill(编辑框1, kB);
    Click(按钮9);
    Click(按钮12);
    EXPECT_EQ(fake::Clipboard(), std::optional(BSnippet()));
    EXPECT_EQ(fake::Focus(), std::optional(编辑框7));
    const auto length = static_cast<long>(BSnippet().size());
    EXPECT_EQ(fake::SelectionOf(编辑框7), (fake::Selection{0, length}));
    EXPECT_EQ(Caption(), Gb("Tivarel-已复制到剪贴板"));

    // What the user changed in the view is what is copied.
    Click(编辑框7);
    fake::Type("!");
    fake::Press(Key::Enter);
    Click(按钮12);
    EXPECT_EQ(fake::Clipboard(), std::optional(BSnippet() + "!\r\n"));

    Click(按钮11);
    EXPECT_EQ(Caption(), "Tivarel");
  });
}

TEST_F(Snippet, CopyWithTheClipboardHeldChangesNothing) {
  Run([] {
    Fill(编辑框1, kB);
    Click(按钮9);
    Click(编辑框7);
    fake::Type("x");
    const fake::Selection selection = fake::SelectionOf(编辑框7);
    fake::SetClipboard("someone else's");
    fake::SetClipboardHeld(true);
    Click(按钮12);
    EXPECT_EQ(fake::Clipboard(), std::optional<Text>("someone else's"));
    EXPECT_EQ(Caption(), "Tivarel");
    EXPECT_EQ(fake::SelectionOf(编辑框7), selection);
    EXPECT_EQ(fake::Focus(), std::optional(按钮12));
  });
}

TEST_F(Snippet, CloseEmptiesTheViewSoTheNextShowsOnlyTheNewSnippet) {
  Run([] {
    Click(按钮13);
    Fill(编辑框1, kB);
    Fill(编辑框4, kX);
    Click(按钮9);
    Click(按钮11);
    EXPECT_EQ(TextOf(编辑框7), "");
    Click(按钮10);
    ExpectViewOpen(XSnippet());
    EXPECT_EQ(TextOf(编辑框8), kHead);
    EXPECT_EQ(TextOf(编辑框9), kTail);
  });
}

TEST_F(Snippet, EscInsideTheViewEndsTheProgram) {
  const int status = Run([] {
    Fill(编辑框1, kB);
    Click(按钮9);
    Click(编辑框7);
    fake::Press(Key::Esc);
    EXPECT_FALSE(fake::WindowExists());
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
