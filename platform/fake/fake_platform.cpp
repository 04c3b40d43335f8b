// The in-memory platform: keeps every property the way a real window would, and models the
// behaviours the commands rely on (see fake.h).
#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "platform/fake/fake.h"
#include "platform/platform.h"
#include "ui/design.h"

namespace {

struct ControlState {
  const ControlDesign* design = nullptr;
  Text text;
  Rect place;
  bool visible = true;
  bool enabled = true;
  bool ticked = false;
  Rgb textColour = 0;
  std::optional<Rgb> background;
  fake::Selection selection;
};

struct Window {
  Text caption;
  Rect outer;
  bool shown = false;
  bool onTop = false;
  std::array<ControlState, kControlCount> controls;
  std::optional<Control> focus;
};

struct Machine {
  Size screen{1920, 1080};
  fake::Frame frame;
  std::string executablePath;
  bool creationFails = false;
  bool clipboardHeld = false;
  std::optional<Text> clipboard;
  std::vector<Text> links;
};

struct Process {
  std::optional<Window> window;
  std::vector<void (*)()> exitRoutines;
  std::function<void()> session;
  std::vector<Text> startFailures;
  std::optional<Rect> rectWhenShown;
  std::vector<std::string> log;
};

Machine machine;
Process process;

std::size_t IndexOf(Control control) {
  return static_cast<std::size_t>(control);
}

ControlState* Find(Control control) {
  if (!process.window)
    return nullptr;
  return &process.window->controls[IndexOf(control)];
}

std::string Format(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
         "," + std::to_string(r.height);
}

bool TakesFocus(const ControlState& c) {
  return c.visible && c.enabled && c.design->kind != ControlKind::Label;
}

void DropFocusFrom(Control control) {
  if (process.window && process.window->focus == control)
    process.window->focus.reset();
}

// Bytes of the GB18030 character that starts at pos.
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 1;
  if (lead >= 0x81 && lead <= 0xFE && pos + 1 < text.size()) {
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    length = (second >= 0x30 && second <= 0x39) ? 4 : 2;
  }
  return std::min(length, text.size() - pos);
}

// The longest start of text, in whole characters, that is at most room bytes.
std::string_view FittingStart(std::string_view text, std::size_t room) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + CharacterLength(text, end);
    if (next > room)
      break;
    end = next;
  }
  return text.substr(0, end);
}

// Replaces the selection with text, cut to the box's length limit.
void Insert(ControlState& box, std::string_view text) {
  const auto start = static_cast<std::size_t>(box.selection.start);
  const auto end = static_cast<std::size_t>(box.selection.end);
  const std::size_t kept = box.text.size() - (end - start);
  std::string_view fitting = text;
  if (box.design->maxLength > 0) {
    const auto limit = static_cast<std::size_t>(box.design->maxLength);
    fitting = FittingStart(text, limit > kept ? limit - kept : 0);
  }
  if (fitting.empty() && !text.empty())
    return;  // nothing fits: the box stays as it was
  box.text.replace(start, end - start, fitting);
  const auto caret = static_cast<long>(start + fitting.size());
  box.selection = {caret, caret};
}

void Backspace(ControlState& box) {
  auto start = static_cast<std::size_t>(box.selection.start);
  const auto end = static_cast<std::size_t>(box.selection.end);
  if (start == end) {
    std::size_t previous = 0;
    for (std::size_t pos = 0; pos < end; pos += CharacterLength(box.text, pos))
      previous = pos;
    if (end == 0)
      return;
    start = previous;
  }
  box.text.erase(start, end - start);
  box.selection = {static_cast<long>(start), static_cast<long>(start)};
}

ControlState* FocusedBox() {
  if (!process.window || !process.window->focus)
    return nullptr;
  ControlState& c = process.window->controls[IndexOf(*process.window->focus)];
  if (c.design->kind != ControlKind::EditBox || !TakesFocus(c))
    return nullptr;
  return &c;
}

bool AcceptedByDigitFilter(std::string_view character) {
  const auto byte = static_cast<unsigned char>(character[0]);
  return character.size() == 1 && ((byte >= '0' && byte <= '9') || byte == '-' || byte < 0x20);
}

// A click with the mouse or the space bar on a control that can take it.
void Activate(Control control) {
  ControlState& c = process.window->controls[IndexOf(control)];
  process.window->focus = control;
  switch (c.design->kind) {
    case ControlKind::EditBox:
      c.selection = {static_cast<long>(c.text.size()), static_cast<long>(c.text.size())};
      return;
    case ControlKind::CheckBox:
      c.ticked = !c.ticked;
      break;
    case ControlKind::Button:
      break;
    case ControlKind::Label:
      return;
  }
  if (const Command command = c.design->onClick)
    command();
}

void DestroyWindow() {
  process.window.reset();
}

}  // namespace

namespace platform {

void InitGui(int, char**) {}

void RegisterExitRoutine(void (*routine)()) {
  process.exitRoutines.push_back(routine);
}

bool CreateMainWindow(const WindowDesign& design, void (*onCreated)()) {
  if (machine.creationFails)
    return false;
  Window& w = process.window.emplace();
  w.caption = Text(design.caption);
  w.outer = {(machine.screen.width - design.outerSize.width) / 2,
             (machine.screen.height - design.outerSize.height) / 2, design.outerSize.width,
             design.outerSize.height};
  for (const ControlDesign& d : design.controls) {
    ControlState& c = w.controls[IndexOf(d.id)];
    c.design = &d;
    c.text = Text(d.text);
    c.place = d.place;
    c.visible = d.visible;
    c.enabled = d.enabled;
    c.textColour = d.textColour;
    c.background = d.background;
  }
  if (onCreated)
    onCreated();
  if (!process.window)
    return false;
  process.window->shown = true;
  process.rectWhenShown = process.window->outer;
  process.log.push_back("show");
  return true;
}

void ReportStartFailure(std::string_view message) {
  process.startFailures.emplace_back(message);
}

void RunEventLoop() {
  std::function<void()> session = std::exchange(process.session, nullptr);
  if (session && process.window)
    session();
  DestroyWindow();
}

void SetWindowCaption(std::string_view caption) {
  if (process.window)
    process.window->caption = Text(caption);
}

Rect WindowRect() {
  return process.window ? process.window->outer : Rect{};
}

void MoveWindowTo(const Rect& outer) {
  if (!process.window)
    return;
  process.window->outer = outer;
  process.log.push_back("move " + Format(outer));
}

void SetWindowHeight(int outerHeight) {
  if (!process.window)
    return;
  process.window->outer.height = outerHeight;
  process.log.push_back("height " + std::to_string(outerHeight));
}

Size ClientSize() {
  if (!process.window)
    return {};
  const Rect& r = process.window->outer;
  const fake::Frame& f = machine.frame;
  return {std::max(0, r.width - f.left - f.right), std::max(0, r.height - f.top - f.bottom)};
}

void SetAlwaysOnTop(bool on) {
  if (!process.window)
    return;
  process.window->onTop = on;
  process.log.push_back(on ? "on top" : "not on top");
}

Size ScreenSize() {
  return machine.screen;
}

Text ControlText(Control control) {
  const ControlState* c = Find(control);
  return c ? c->text : Text();
}

void SetControlText(Control control, std::string_view text) {
  if (ControlState* c = Find(control)) {
    c->text = Text(text);
    c->selection = {};
  }
}

void SetControlVisible(Control control, bool visible) {
  if (ControlState* c = Find(control)) {
    c->visible = visible;
    if (!visible)
      DropFocusFrom(control);
  }
}

void SetControlEnabled(Control control, bool enabled) {
  if (ControlState* c = Find(control)) {
    c->enabled = enabled;
    if (!enabled)
      DropFocusFrom(control);
  }
}

void SetControlTextColour(Control control, Rgb colour) {
  if (ControlState* c = Find(control))
    c->textColour = colour;
}

void SetControlBackground(Control control, Rgb colour) {
  if (ControlState* c = Find(control))
    c->background = colour;
}

bool IsTicked(Control control) {
  const ControlState* c = Find(control);
  return c && c->ticked;
}

void SetTicked(Control control, bool ticked) {
  if (ControlState* c = Find(control))
    c->ticked = ticked;
}

Rect ControlRect(Control control) {
  const ControlState* c = Find(control);
  return c ? c->place : Rect{};
}

void MoveControl(Control control, const Rect& place) {
  if (ControlState* c = Find(control)) {
    c->place = place;
    process.log.push_back("move control " + std::to_string(IndexOf(control)) + " to " +
                          Format(place));
  }
}

void FocusControl(Control control) {
  if (process.window)
    process.window->focus = control;
}

void SelectWholeText(Control control) {
  if (ControlState* c = Find(control))
    c->selection = {0, static_cast<long>(c->text.size())};
}

void OpenLinkInBrowser(std::string_view link) {
  machine.links.emplace_back(link);
}

bool CopyTextToClipboard(std::string_view text) {
  if (machine.clipboardHeld)
    return false;
  machine.clipboard = Text(text);
  return true;
}

Text ExecutablePath() {
  return machine.executablePath;
}

}  // namespace platform

namespace fake {

void ResetMachine() {
  machine = Machine{};
}

void SetScreenSize(Size screen) {
  machine.screen = screen;
}

void SetFrame(const Frame& frame) {
  machine.frame = frame;
}

void SetExecutablePath(std::string path) {
  machine.executablePath = std::move(path);
}

void SetWindowCreationFails(bool fails) {
  machine.creationFails = fails;
}

void SetClipboardHeld(bool held) {
  machine.clipboardHeld = held;
}

void SetClipboard(std::string_view text) {
  machine.clipboard = Text(text);
}

std::optional<Text> Clipboard() {
  return machine.clipboard;
}

const std::vector<Text>& OpenedLinks() {
  return machine.links;
}

void ForgetOpenedLinks() {
  machine.links.clear();
}

void StartProcess() {
  process = Process{};
}

void SetSession(std::function<void()> session) {
  process.session = std::move(session);
}

int EndProcess(int status) {
  DestroyWindow();
  auto routines = std::exchange(process.exitRoutines, {});
  for (auto it = routines.rbegin(); it != routines.rend(); ++it)
    (*it)();
  return status;
}

const std::vector<Text>& StartFailureReports() {
  return process.startFailures;
}

bool WindowExists() {
  return process.window.has_value();
}

bool WindowShown() {
  return process.window && process.window->shown;
}

Text WindowCaption() {
  return process.window ? process.window->caption : Text();
}

bool AlwaysOnTop() {
  return process.window && process.window->onTop;
}

std::optional<Rect> RectWhenShown() {
  return process.rectWhenShown;
}

const std::vector<std::string>& WindowLog() {
  return process.log;
}

void ForgetWindowLog() {
  process.log.clear();
}

bool IsVisible(Control control) {
  const ControlState* c = Find(control);
  return c && c->visible;
}

bool IsEnabled(Control control) {
  const ControlState* c = Find(control);
  return c && c->enabled;
}

Rgb TextColour(Control control) {
  const ControlState* c = Find(control);
  return c ? c->textColour : 0;
}

std::optional<Rgb> Background(Control control) {
  const ControlState* c = Find(control);
  return c ? c->background : std::nullopt;
}

Selection SelectionOf(Control control) {
  const ControlState* c = Find(control);
  return c ? c->selection : Selection{};
}

std::optional<Control> Focus() {
  return process.window ? process.window->focus : std::nullopt;
}

std::optional<Control> ClickAt(int x, int y) {
  if (!WindowShown())
    return std::nullopt;
  const Size client = platform::ClientSize();
  if (x < 0 || y < 0 || x >= client.width || y >= client.height)
    return std::nullopt;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const ControlState& c = process.window->controls[i];
    const Rect& r = c.place;
    const bool inside = x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
    if (!inside || !c.visible || c.design->kind == ControlKind::Label)
      continue;
    const auto control = static_cast<Control>(i);
    if (c.enabled)
      Activate(control);
    return control;
  }
  return std::nullopt;
}

std::optional<Control> Click(Control control) {
  const ControlState* c = Find(control);
  if (!c)
    return std::nullopt;
  return ClickAt(c->place.left + c->place.width / 2, c->place.top + c->place.height / 2);
}

void Type(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string_view character = text.substr(pos, CharacterLength(text, pos));
    pos += character.size();
    if (!process.window || !process.window->focus)
      return;
    const Control focused = *process.window->focus;
    if (process.window->controls[IndexOf(focused)].design->kind != ControlKind::EditBox) {
      if (character == " " && TakesFocus(process.window->controls[IndexOf(focused)]))
        Activate(focused);
      continue;
    }
    ControlState* box = FocusedBox();
    if (!box)
      continue;
    if (box->design->digitsOnly && !AcceptedByDigitFilter(character))
      continue;
    if (character == "\b")
      Backspace(*box);
    else if (static_cast<unsigned char>(character[0]) >= 0x20)
      Insert(*box, character);
  }
}

void Paste(std::string_view text) {
  if (ControlState* box = FocusedBox())
    Insert(*box, text);
}

void SelectAll() {
  if (ControlState* box = FocusedBox())
    box->selection = {0, static_cast<long>(box->text.size())};
}

void Press(Key key) {
  if (!process.window)
    return;
  switch (key) {
    case Key::Esc:
      CloseBox();
      return;
    case Key::Enter:
      if (ControlState* box = FocusedBox(); box && box->design->multiLine)
        Insert(*box, "\r\n");
      return;
    case Key::Tab: {
      Window& w = *process.window;
      const std::size_t from = w.focus ? IndexOf(*w.focus) : kControlCount - 1;
      for (std::size_t step = 1; step <= kControlCount; ++step) {
        const std::size_t i = (from + step) % kControlCount;
        if (TakesFocus(w.controls[i])) {
          w.focus = static_cast<Control>(i);
          return;
        }
      }
      return;
    }
  }
}

void CloseBox() {
  DestroyWindow();
}

void DragWindowTo(int left, int top) {
  if (process.window) {
    process.window->outer.left = left;
    process.window->outer.top = top;
  }
}

}  // namespace fake
