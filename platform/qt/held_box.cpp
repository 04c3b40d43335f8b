#include "platform/qt/held_box.h"

#include "platform/qt/control_widgets.h"
#include "platform/qt/qt_text.h"

namespace platform::qt {

HeldBox::HeldBox(const ControlDesign& design)
    : multiLine(design.multiLine),
      place(design.place),
      visible(design.visible),
      enabled(design.enabled),
      textColour(design.textColour),
      background(design.background.value_or(kWhite)) {
  SetValue(QStringFromText(design.text));
}

void HeldBox::SetValue(const QString& text) {
  value = multiLine ? MultiLineBox::Normalised(text) : OneLineBox::Normalised(text);
}

}  // namespace platform::qt
