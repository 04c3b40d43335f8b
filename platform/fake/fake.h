#pragma once
// The test side of the in-memory platform. The machine (screen, frame, clipboard, browser, the
// executable's path) outlives a simulated process; the window, the exit routines and the session
// belong to one process. Texts are GB18030, as everywhere in the core.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/text.h"
#include "ui/controls.h"

namespace fake {

// What the window's frame and title bar take from the outer rectangle; the client area is the
// rest. The default is a typical fixed single frame with a caption bar.
struct Frame {
  int left = 3;
  int top = 26;
  int right = 3;
  int bottom = 3;
};

// The machine.
void ResetMachine();  // 1920 x 1080 screen, default frame, empty free clipboard, no links
void SetScreenSize(Size screen);
void SetFrame(const Frame& frame);
void SetExecutablePath(std::string path);
void SetWindowCreationFails(bool fails);
// As when another program holds the clipboard open: copies fail and leave it as it was.
void SetClipboardHeld(bool held);
void SetClipboard(std::string_view text);  // another program put this there
std::optional<Text> Clipboard();           // nullopt: nothing was ever put there
const std::vector<Text>& OpenedLinks();    // handed to the browser, oldest first
void ForgetOpenedLinks();

// A simulated process: no window, no exit routines, no session yet.
void StartProcess();
// What the user does while the event loop runs. When it returns with the window still open, the
// user closes it with the close box.
void SetSession(std::function<void()> session);
// The orderly end of the process: runs the exit routines, last registered first, and gives the
// exit status back.
int EndProcess(int status);
const std::vector<Text>& StartFailureReports();

// The window.
bool WindowExists();
bool WindowShown();
Text WindowCaption();
bool AlwaysOnTop();
std::optional<Rect> RectWhenShown();  // the outer rectangle at the moment it was first shown
// Geometry and stacking work the platform was asked to do, in order: "move L,T,W,H",
// "height H", "move control N to L,T,W,H" (N: the control's place in the stacking order),
// "on top", "not on top", "show".
const std::vector<std::string>& WindowLog();
void ForgetWindowLog();

// Controls. Text, tick and place are read through platform.h.
bool IsVisible(Control control);
bool IsEnabled(Control control);
Rgb TextColour(Control control);
std::optional<Rgb> Background(Control control);  // nullopt: the button face
struct Selection {
  long start = 0;  // bytes; the caret is at the end
  long end = 0;
  bool operator==(const Selection&) const = default;
};
Selection SelectionOf(Control control);
std::optional<Control> Focus();

// The user. A click goes to the front-most shown control at a point of the client area (labels
// take no clicks); it gives the control the focus and, when the control is enabled, runs its
// command (a check box ticks first). The result is the control that took the click.
std::optional<Control> ClickAt(int x, int y);
std::optional<Control> Click(Control control);  // at the middle of the control
// Typed characters go to the focused box at its caret, replacing the selection. "\b" is
// Backspace; a space on a focused button or check box clicks it.
void Type(std::string_view text);
void Paste(std::string_view text);  // into the focused box: never filtered, still limited
void SelectAll();                   // in the focused box
enum class Key { Esc, Tab, Enter };
void Press(Key key);
void CloseBox();
void DragWindowTo(int left, int top);  // by its title bar; the size stays

}  // namespace fake
