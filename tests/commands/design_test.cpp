// The window's design table against the design, and what of it the user can reach.
#include <map>

#include "convert/site_commands.h"
#include "platform/encoding.h"
#include "tests/commands/program_fixture.h"
#include "ui/design.h"
#include "ui/snippet_view.h"
#include "ui/texts.h"
#include "ui/window_commands.h"

namespace {

using enum Control;
using K = ControlKind;

struct Row {
  Control id;
  K kind;
  Rect place;
  const char* text;  // UTF-8
  Command onClick;
};

// Front-most first.
const Row kDesign[] = {
    {按钮14, K::Button, {784, 127, 123, 40}, "浏览主页", OpenHomePage},
    {按钮13, K::Button, {784, 64, 58, 40}, "展开↓", ToggleExpand},
    {按钮12, K::Button, {784, 175, 58, 40}, "复制", CopySnippet},
    {按钮11, K::Button, {849, 175, 58, 40}, "关闭", CloseSnippet},
    {编辑框7, K::EditBox, {80, 416, 72, 64}, "", nullptr},
    {编辑框11, K::EditBox, {648, 416, 56, 48}, "", nullptr},
    {编辑框10, K::EditBox, {576, 416, 56, 48}, "", nullptr},
    {编辑框9, K::EditBox, {504, 416, 56, 48}, nullptr, nullptr},  // the snippet tail
    {编辑框8, K::EditBox, {432, 416, 56, 48}, "<iframe src=\"", nullptr},
    {按钮10, K::Button, {656, 175, 114, 40}, "X生成iframe", MakeXSnippet},
    {按钮9, K::Button, {656, 64, 114, 40}, "B生成iframe", MakeBSnippet},
    {选择框3, K::CheckBox, {784, 16, 80, 40}, "专辑P:", TogglePartSwitch},
    {编辑框5, K::EditBox, {868, 16, 40, 40}, "", nullptr},
    {标签4, K::Label, {16, 175, 100, 40}, "X网站搜索：", nullptr},
    {按钮5, K::Button, {500, 175, 50, 40}, "清空", ClearXSearch},
    {编辑框3, K::EditBox, {128, 175, 364, 40}, "", nullptr},
    {按钮6, K::Button, {557, 175, 50, 40}, "搜索", SearchX},
    {按钮7, K::Button, {656, 127, 50, 40}, "清空", ClearXVideo},
    {按钮8, K::Button, {721, 127, 50, 40}, "打开", OpenXVideo},
    {标签3, K::Label, {16, 127, 100, 40}, "X视频网址：", nullptr},
    {编辑框4, K::EditBox, {128, 127, 519, 40}, "", nullptr},
    {标签2, K::Label, {16, 64, 100, 40}, "B网站搜索：", nullptr},
    {按钮4, K::Button, {500, 64, 50, 40}, "清空", ClearBSearch},
    {编辑框2, K::EditBox, {128, 64, 364, 40}, "", nullptr},
    {选择框2, K::CheckBox, {853, 64, 55, 40}, "置顶", TogglePin},
    {按钮3, K::Button, {557, 64, 50, 40}, "搜索", SearchB},
    {按钮2, K::Button, {656, 16, 50, 40}, "清空", ClearBVideo},
    {编辑框6, K::EditBox, {16, 424, 48, 56}, "", nullptr},
    {按钮1, K::Button, {721, 16, 50, 40}, "打开", OpenBVideo},
    {标签1, K::Label, {16, 16, 100, 40}, "B视频网址：", nullptr},
    {编辑框1, K::EditBox, {128, 16, 519, 40}, "", nullptr},
};

const char kTail[] =
    "\" allowfullscreen=\"allowfullscreen\" width=\"720\" height=\"405\" scrolling=\"no\" "
    "frameborder=\"0\" sandbox=\"allow-top-navigation allow-same-origin allow-forms "
    "allow-scripts\"></iframe>";

TEST(Design, WindowSettings) {
  const WindowDesign& w = MainWindowDesign();
  EXPECT_EQ(w.caption, "Tivarel");
  EXPECT_EQ(w.outerSize, (Size{928, 263}));
  ASSERT_EQ(w.controls.size(), 31u);
}

TEST(Design, ControlsInStackingOrderWithPlacesTextsAndCommands) {
  const auto controls = MainWindowDesign().controls;
  ASSERT_EQ(std::size(kDesign), controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Row& row = kDesign[i];
    const ControlDesign& d = controls[i];
    SCOPED_TRACE("stacking position " + std::to_string(i + 1));
    EXPECT_EQ(d.id, row.id);
    EXPECT_EQ(d.kind, row.kind);
    EXPECT_EQ(d.place, row.place);
    EXPECT_EQ(Utf8FromText(d.text), row.text ? std::string(row.text) : std::string(kTail));
    EXPECT_EQ(d.onClick, row.onClick);
    EXPECT_EQ(&DesignOf(row.id), &d);
  }
}

TEST(Design, CountsByKind) {
  std::map<ControlKind, int> counts;
  for (const ControlDesign& d : MainWindowDesign().controls)
    ++counts[d.kind];
  EXPECT_EQ(counts[K::Button], 14);
  EXPECT_EQ(counts[K::EditBox], 11);
  EXPECT_EQ(counts[K::Label], 4);
  EXPECT_EQ(counts[K::CheckBox], 2);
}

TEST(Design, SnippetHeadAndTailBytes) {
  EXPECT_EQ(DesignOf(编辑框8).text.size(), 13u);
  EXPECT_EQ(DesignOf(编辑框9).text.size(), 176u);
  EXPECT_EQ(DesignOf(编辑框9).text, kSnippetTail);
  EXPECT_EQ(DesignOf(编辑框8).text, kSnippetHead);
}

TEST(Design, EditBoxes) {
  struct Box {
    Control id;
    bool multiLine;
    EditBorder border;
    Rgb background;
    FontDesign font;
    Alignment alignment;
    int maxLength;
    bool digitsOnly;
    bool visible;
    bool enabled;
  };
  using B = EditBorder;
  const FontDesign f16{16, 400}, gui{0, 400};
  const Box boxes[] = {
      {编辑框1, true, B::StaticEdge, 0xE8F4EF, f16, Alignment::Left, 0, false, true, true},
      {编辑框2, true, B::StaticEdge, 0xE8F4EF, f16, Alignment::Left, 0, false, true, true},
      {编辑框3, true, B::StaticEdge, 0xE8F4EF, f16, Alignment::Left, 0, false, true, true},
      {编辑框4, true, B::StaticEdge, 0xE8F4EF, f16, Alignment::Left, 0, false, true, true},
      {编辑框5,
       false,
       B::ClientEdgeModalFrame,
       0xE8F4EF,
       {24, 400},
       Alignment::Centre,
       2,
       true,
       true,
       true},
      {编辑框7, true, B::ClientEdge, 0xE8F4EF, {27, 400}, Alignment::Left, 0, false, true, true},
      {编辑框6, true, B::ClientEdge, 0xFFFFFF, gui, Alignment::Left, 0, false, false, false},
      {编辑框8, true, B::ClientEdge, 0xFFFFFF, gui, Alignment::Left, 0, false, false, true},
      {编辑框9, true, B::ClientEdge, 0xFFFFFF, gui, Alignment::Left, 0, false, false, true},
      {编辑框10, true, B::ClientEdge, 0xFFFFFF, gui, Alignment::Left, 0, false, false, true},
      {编辑框11, false, B::ClientEdge, 0xFFFFFF, gui, Alignment::Left, 0, false, true, true},
  };
  for (const Box& box : boxes) {
    const ControlDesign& d = DesignOf(box.id);
    SCOPED_TRACE("edit box #" + std::to_string(static_cast<int>(box.id)));
    EXPECT_EQ(d.multiLine, box.multiLine);
    EXPECT_EQ(d.border, box.border);
    EXPECT_EQ(d.background, std::optional(box.background));
    EXPECT_EQ(d.font.pixelHeight, box.font.pixelHeight);
    EXPECT_EQ(d.font.weight, box.font.weight);
    EXPECT_EQ(d.alignment, box.alignment);
    EXPECT_EQ(d.maxLength, box.maxLength);
    EXPECT_EQ(d.digitsOnly, box.digitsOnly);
    EXPECT_EQ(d.visible, box.visible);
    EXPECT_EQ(d.enabled, box.enabled);
    EXPECT_EQ(d.textColour, kBlack);
  }
}

TEST(Design, LabelsButtonsAndCheckBoxes) {
  const std::map<Control, Rgb> labelColours = {
      {标签1, 0xFF80C0}, {标签2, 0x0088FF}, {标签3, 0xFF5080}, {标签4, 0x008080}};
  for (const ControlDesign& d : MainWindowDesign().controls) {
    SCOPED_TRACE("control #" + std::to_string(static_cast<int>(d.id)));
    if (d.kind == K::EditBox)
      continue;
    EXPECT_EQ(d.background, std::nullopt);  // the button face
    EXPECT_EQ(d.font.pixelHeight, 16);
    EXPECT_EQ(d.font.weight, d.kind == K::Label ? 700 : 400);
    EXPECT_EQ(d.alignment, d.kind == K::Button ? Alignment::Centre : Alignment::Left);
    EXPECT_EQ(d.textColour, d.kind == K::Label ? labelColours.at(d.id) : kBlack);
    EXPECT_TRUE(d.visible);
    EXPECT_TRUE(d.enabled);
  }
}

// The rows against the client area the fake frame leaves: what the user can click at each
// height, and that nothing right of the client width or below it is reachable.
class DesignInView : public ProgramTest {};

TEST_F(DesignInView, CollapsedShowsTheBRowsWholeAndNothingOfTheXRows) {
  Run([] {
    const Size client = platform::ClientSize();
    ASSERT_EQ(client, (Size{922, 123}));
    for (const ControlDesign& d : MainWindowDesign().controls) {
      if (!fake::IsVisible(d.id))
        continue;
      const Rect& r = d.place;
      SCOPED_TRACE("control #" + std::to_string(static_cast<int>(d.id)));
      EXPECT_LE(r.left + r.width, client.width);
      if (r.top == 16 || r.top == 64) {
        EXPECT_LE(r.top + r.height, client.height);
      } else {
        EXPECT_GE(r.top, client.height);
        if (d.kind != K::Label) {
          EXPECT_EQ(fake::ClickAt(r.left + 1, r.top + 1), std::nullopt);
        }
      }
    }
  });
}

TEST_F(DesignInView, ExpandedShowsAllFourRowsWholeAndNoneOfTheDataBoxes) {
  Run([] {
    Click(按钮13);
    const Size client = platform::ClientSize();
    ASSERT_EQ(client, (Size{922, 233}));
    for (const ControlDesign& d : MainWindowDesign().controls) {
      const Rect& r = d.place;
      SCOPED_TRACE("control #" + std::to_string(static_cast<int>(d.id)));
      if (r.top >= 416) {
        EXPECT_GE(r.top, client.height);
        continue;
      }
      EXPECT_LE(r.top + r.height, client.height);
      EXPECT_LE(r.left + r.width, client.width);
    }
    // Every shown button and check box of the rows can be reached where it lies.
    for (Control c : {按钮14, 按钮10, 按钮8, 按钮7, 按钮6}) {
      const Rect r = platform::ControlRect(c);
      EXPECT_EQ(fake::ClickAt(r.left + r.width - 1, r.top + r.height - 1), std::optional(c));
    }
  });
}

}  // namespace
