#pragma once
// What the Win32 platform keeps about MainWindow and its controls between calls.
#include <windows.h>

#include <array>
#include <optional>

#include "ui/controls.h"
#include "ui/design.h"

namespace win32 {

// Child window ids are kFirstControlId plus the control's place in the stacking order.
inline constexpr int kFirstControlId = 100;

struct ControlState {
  HWND hwnd = nullptr;
  const ControlDesign* design = nullptr;
  Rgb textColour = kBlack;
  std::optional<Rgb> background;  // nullopt: the button face
  HBRUSH brush = nullptr;         // owned; only with a background of its own
};

struct WindowState {
  HWND main = nullptr;
  HWND focusWhileInactive = nullptr;  // given back when the window is activated again
  std::array<ControlState, kControlCount> controls{};
};

WindowState& Window();
ControlState& StateOf(Control control);
ControlState* StateOf(HWND hwnd);  // nullptr for windows that are not our controls

inline COLORREF ColourRef(Rgb rgb) {
  return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// Keeps the keyboard focus away from a control that is about to be hidden or disabled, so that
// typing never goes into a box the user cannot see.
void MoveFocusAwayFrom(HWND control);

// The typed-key filter and the byte limit of boxes whose design asks for them.
void ApplyInputRules(const ControlState& control);

}  // namespace win32
