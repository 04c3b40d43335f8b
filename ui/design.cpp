#include "ui/design.h"

#include <array>

#include "convert/site_commands.h"
#include "ui/snippet_view.h"
#include "ui/texts.h"
#include "ui/window_commands.h"

namespace {

using enum Control;

constexpr FontDesign kNormal16{16, 400};
constexpr FontDesign kBold16{16, 700};
constexpr FontDesign kDefaultGuiFont{0, 400};

constexpr ControlDesign Button(Control id, Rect place, std::string_view text, Command onClick) {
  return {.id = id,
          .kind = ControlKind::Button,
          .place = place,
          .text = text,
          .font = kNormal16,
          .textColour = kBlack,
          .background = std::nullopt,
          .alignment = Alignment::Centre,
          .border = EditBorder::None,
          .multiLine = false,
          .maxLength = 0,
          .digitsOnly = false,
          .visible = true,
          .enabled = true,
          .onClick = onClick};
}

constexpr ControlDesign CheckBox(Control id, Rect place, std::string_view text, Command onClick) {
  ControlDesign d = Button(id, place, text, onClick);
  d.kind = ControlKind::CheckBox;
  d.alignment = Alignment::Left;
  return d;
}

constexpr ControlDesign Label(Control id, Rect place, std::string_view text, Rgb colour) {
  ControlDesign d = Button(id, place, text, nullptr);
  d.kind = ControlKind::Label;
  d.font = kBold16;
  d.textColour = colour;
  d.alignment = Alignment::Left;
  return d;
}

// The address and keyword boxes.
constexpr ControlDesign InputBox(Control id, Rect place) {
  ControlDesign d = Button(id, place, {}, nullptr);
  d.kind = ControlKind::EditBox;
  d.background = kBoxBackground;
  d.alignment = Alignment::Left;
  d.border = EditBorder::StaticEdge;
  d.multiLine = true;
  return d;
}

// The boxes below the client area that hold working data.
constexpr ControlDesign DataBox(Control id, Rect place, std::string_view text, bool visible) {
  ControlDesign d = InputBox(id, place);
  d.text = text;
  d.font = kDefaultGuiFont;
  d.background = kWhite;
  d.border = EditBorder::ClientEdge;
  d.visible = visible;
  return d;
}

constexpr ControlDesign SnippetBox(Rect place) {
  ControlDesign d = InputBox(编辑框7, place);
  d.font = {27, 400};
  d.border = EditBorder::ClientEdge;
  return d;
}

constexpr ControlDesign PartNumberBox(Rect place) {
  ControlDesign d = InputBox(编辑框5, place);
  d.font = {24, 400};
  d.alignment = Alignment::Centre;
  d.border = EditBorder::ClientEdgeModalFrame;
  d.multiLine = false;
  d.maxLength = 2;
  d.digitsOnly = true;
  return d;
}

constexpr ControlDesign OneLineDataBox(Control id, Rect place) {
  ControlDesign d = DataBox(id, place, {}, true);
  d.multiLine = false;
  return d;
}

constexpr ControlDesign HiddenDisabled(ControlDesign d) {
  d.visible = false;
  d.enabled = false;
  return d;
}

// Front-most first.
constexpr std::array<ControlDesign, kControlCount> kControls{{
    Button(按钮14, {784, 127, 123, 40}, kTextHomePage, OpenHomePage),  // open the home page
    Button(按钮13, {784, 64, 58, 40}, kExpandCaption, ToggleExpand),   // expand/collapse toggle
    Button(按钮12, {784, 175, 58, 40}, kTextCopy, CopySnippet),        // copy the snippet
    Button(按钮11, {849, 175, 58, 40}, kTextClose, CloseSnippet),      // close the snippet view
    SnippetBox({80, 416, 72, 64}),                              // 编辑框7: the snippet view
    OneLineDataBox(编辑框11, {648, 416, 56, 48}),               // not used by any command
    DataBox(编辑框10, {576, 416, 56, 48}, {}, false),           // not used by any command
    DataBox(编辑框9, {504, 416, 56, 48}, kSnippetTail, false),  // snippet tail text
    DataBox(编辑框8, {432, 416, 56, 48}, kSnippetHead, false),  // snippet head text
    Button(按钮10, {656, 175, 114, 40}, kTextMakeXSnippet, MakeXSnippet),     // make the X snippet
    Button(按钮9, {656, 64, 114, 40}, kTextMakeBSnippet, MakeBSnippet),       // make the B snippet
    CheckBox(选择框3, {784, 16, 80, 40}, kTextPartSwitch, TogglePartSwitch),  // part switch
    PartNumberBox({868, 16, 40, 40}),  // 编辑框5: B part number
    Label(标签4, {16, 175, 100, 40}, kTextXSearch, kXSearchLabelColour),  // X search row
    Button(按钮5, {500, 175, 50, 40}, kTextClear, ClearXSearch),          // clear the X keyword
    InputBox(编辑框3, {128, 175, 364, 40}),                               // X search keyword
    Button(按钮6, {557, 175, 50, 40}, kTextSearch, SearchX),              // X search
    Button(按钮7, {656, 127, 50, 40}, kTextClear, ClearXVideo),           // clear the X address
    Button(按钮8, {721, 127, 50, 40}, kTextOpen, OpenXVideo),             // open the X video
    Label(标签3, {16, 127, 100, 40}, kTextXAddress,
          kXLabelColour),                    // X address row; flags a bad one
    InputBox(编辑框4, {128, 127, 519, 40}),  // X video page address
    Label(标签2, {16, 64, 100, 40}, kTextBSearch, kBSearchLabelColour),  // B search row
    Button(按钮4, {500, 64, 50, 40}, kTextClear, ClearBSearch),          // clear the B keyword
    InputBox(编辑框2, {128, 64, 364, 40}),                               // B search keyword
    CheckBox(选择框2, {853, 64, 55, 40}, kTextPin, TogglePin),           // pin: keep on top
    Button(按钮3, {557, 64, 50, 40}, kTextSearch, SearchB),              // B search
    Button(按钮2, {656, 16, 50, 40}, kTextClear, ClearBVideo),           // clear B address and part
    HiddenDisabled(DataBox(编辑框6, {16, 424, 48, 56}, {}, false)),      // the last video id
    Button(按钮1, {721, 16, 50, 40}, kTextOpen, OpenBVideo),             // open the B video
    Label(标签1, {16, 16, 100, 40}, kTextBAddress,
          kBLabelColour),                   // B address row; flags a bad one
    InputBox(编辑框1, {128, 16, 519, 40}),  // B video page address
}};

constexpr bool ListedInEnumOrder() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (static_cast<std::size_t>(kControls[i].id) != i)
      return false;
  }
  return true;
}
static_assert(ListedInEnumOrder(), "DesignOf indexes the table by the enum");

constexpr WindowDesign kMainWindow{
    .caption = kCaptionNormal, .outerSize = {928, 263}, .controls = kControls};

}  // namespace

const WindowDesign& MainWindowDesign() {
  return kMainWindow;
}

const ControlDesign& DesignOf(Control control) {
  return kControls[static_cast<std::size_t>(control)];
}
