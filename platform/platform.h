#pragma once
// The primitives each platform supplies: win32, qt or fake, one linked per build. They do what
// they are told and decide nothing; the rules the commands rely on (limits, "nothing happens when
// unchanged", defaults) live in the shared layer above (ui/properties.h). Texts are GB18030.
#include "convert/text.h"
#include "ui/controls.h"

struct WindowDesign;

namespace platform {

// Start-up and shutdown.
void InitGui(int argc, char** argv);
// Runs once at the orderly end of the process, after the event loop has returned.
void RegisterExitRoutine(void (*routine)());
// Builds the window and all its controls from the design, hidden; runs onCreated to its end; then
// shows the window. False when the window cannot be made.
bool CreateMainWindow(const WindowDesign& design, void (*onCreated)());
// Tells the user that the program cannot start (a message box, or stderr without a display).
void ReportStartFailure(std::string_view message);
// Dispatches events to the commands until the window is gone (close box, window menu, Esc).
void RunEventLoop();

// The main window. Rectangles are the outer rectangle in screen pixels, frame included.
void SetWindowCaption(std::string_view caption);
Rect WindowRect();
void MoveWindowTo(const Rect& outer);   // one step, repainted
void SetWindowHeight(int outerHeight);  // left, top and width stay; not re-stacked, not activated
Size ClientSize();
void SetAlwaysOnTop(bool on);  // neither moves, sizes nor activates the window
Size ScreenSize();             // the full primary display, never the work area

// Controls. A button's or check box's text is its caption.
Text ControlText(Control control);
void SetControlText(Control control, std::string_view text);
void SetControlVisible(Control control, bool visible);
void SetControlEnabled(Control control, bool enabled);
void SetControlTextColour(Control control, Rgb colour);
void SetControlBackground(Control control, Rgb colour);
bool IsTicked(Control control);
void SetTicked(Control control, bool ticked);          // runs no command
Rect ControlRect(Control control);                     // client-area pixels
void MoveControl(Control control, const Rect& place);  // stacking order stays
void FocusControl(Control control);
// Selects from the first byte to the end and scrolls the caret into view.
void SelectWholeText(Control control);

// The outside world. Neither waits on anything.
void OpenLinkInBrowser(std::string_view link);    // the default browser; the result is not known
bool CopyTextToClipboard(std::string_view text);  // false: the clipboard was left as it was
Text ExecutablePath();  // in the platform's file-name encoding, as file_store.h takes it

}  // namespace platform
