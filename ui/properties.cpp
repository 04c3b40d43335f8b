#include "ui/properties.h"

#include <algorithm>

#include "platform/platform.h"

int WindowTop() {
  return platform::WindowRect().top;
}

int WindowWidth() {
  return platform::WindowRect().width;
}

int WindowHeight() {
  return platform::WindowRect().height;
}

void SetWindowTop(int top) {
  Rect outer = platform::WindowRect();
  outer.top = std::clamp(top, -kMaxWindowTop, kMaxWindowTop);
  MoveWindowIfChanged(outer);
}

void SetWindowHeightTo(int height) {
  const int limited = std::clamp(height, 0, kMaxWindowHeight);
  if (limited != WindowHeight())
    platform::SetWindowHeight(limited);
}

void MoveWindowIfChanged(const Rect& outer) {
  if (outer != platform::WindowRect())
    platform::MoveWindowTo(outer);
}

void MoveControlIfChanged(Control control, const Rect& place) {
  if (place != platform::ControlRect(control))
    platform::MoveControl(control, place);
}

void SetSelectedCharacterCount(Control control, int count) {
  if (count == -1)
    platform::SelectWholeText(control);
}
