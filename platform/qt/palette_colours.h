#pragma once
// Text and background colours of a control, kept in its palette.
#include <QWidget>

#include "ui/controls.h"

namespace platform::qt {

// The text of a label, check box or edit box; a disabled control keeps the toolkit's grey.
void ApplyTextColour(QWidget* widget, Rgb colour);
// The background of an edit box, enabled or not. Its selection takes the same colour while the
// box has no focus, which hides the selection then.
void ApplyBackground(QWidget* widget, Rgb colour);

}  // namespace platform::qt
