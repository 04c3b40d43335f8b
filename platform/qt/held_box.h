#pragma once
// An edit box's properties while it has no widget. Boxes that hold data only never get one; the
// others get theirs once the window is on the screen, so that laying out their texts and loading
// their fonts does not hold up the window's first appearance. The text is kept as the box's
// widget would give it back.
#include <QString>
#include <optional>

#include "ui/design.h"

namespace platform::qt {

struct HeldBox {
  explicit HeldBox(const ControlDesign& design);

  QString Value() const { return value; }
  void SetValue(const QString& text);

  bool multiLine;
  QString value;
  Rect place;
  bool visible;
  bool enabled;
  Rgb textColour;
  Rgb background;
};

}  // namespace platform::qt
