#include "platform/qt/palette_colours.h"

#include <QPalette>

namespace platform::qt {

namespace {

QColor ColourOf(Rgb colour) {
  return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace

void ApplyTextColour(QWidget* widget, Rgb colour) {
  QPalette palette = widget->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(group, role, ColourOf(colour));
  }
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, ColourOf(colour));
  widget->setPalette(palette);
}

void ApplyBackground(QWidget* widget, Rgb colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, ColourOf(colour));
  palette.setColor(QPalette::Inactive, QPalette::Highlight, ColourOf(colour));
  widget->setPalette(palette);
}

}  // namespace platform::qt
