// The controls' primitives on Qt.
#include <QAbstractButton>
#include <QLabel>

#include "platform/platform.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/main_window.h"
#include "platform/qt/palette_colours.h"
#include "platform/qt/qt_text.h"

namespace platform {

namespace {

const qt::ControlWidget* Find(Control control) {
  const qt::MainWindow* window = qt::TheMainWindow();
  return window != nullptr ? &window->Of(control) : nullptr;
}

QWidget* WidgetOf(Control control) {
  const qt::ControlWidget* found = Find(control);
  return found != nullptr ? found->widget : nullptr;
}

qt::HeldBox* HeldOf(Control control) {
  const qt::MainWindow* window = qt::TheMainWindow();
  return window != nullptr ? window->Held(control) : nullptr;
}

// The widget of a control that must have one for what comes next.
QWidget* MadeWidget(Control control) {
  qt::MainWindow* window = qt::TheMainWindow();
  return window != nullptr ? window->Made(control) : nullptr;
}

}  // namespace

Text ControlText(Control control) {
  if (const qt::HeldBox* held = HeldOf(control))
    return qt::TextFromQString(held->Value());
  const qt::ControlWidget* found = Find(control);
  if (found == nullptr || found->widget == nullptr)
    return {};
  QString text;
  switch (found->kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      text = static_cast<QAbstractButton*>(found->widget)->text();
      break;
    case ControlKind::Label:
      text = static_cast<QLabel*>(found->widget)->text();
      break;
    case ControlKind::EditBox:
      text = found->multiLine ? static_cast<qt::MultiLineBox*>(found->widget)->Value()
                              : static_cast<qt::OneLineBox*>(found->widget)->text();
      break;
  }
  return qt::TextFromQString(text);
}

void SetControlText(Control control, std::string_view text) {
  if (qt::HeldBox* held = HeldOf(control)) {
    held->SetValue(qt::QStringFromText(text));
    return;
  }
  const qt::ControlWidget* found = Find(control);
  if (found == nullptr || found->widget == nullptr)
    return;
  const QString value = qt::QStringFromText(text);
  switch (found->kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      static_cast<QAbstractButton*>(found->widget)->setText(value);
      break;
    case ControlKind::Label:
      static_cast<QLabel*>(found->widget)->setText(value);
      break;
    case ControlKind::EditBox:
      if (found->multiLine)
        static_cast<qt::MultiLineBox*>(found->widget)->SetValue(value);
      else
        static_cast<qt::OneLineBox*>(found->widget)->SetValue(value);
      break;
  }
}

void SetControlVisible(Control control, bool visible) {
  if (qt::HeldBox* held = HeldOf(control)) {
    held->visible = visible;
    // Before the window is shown, its boxes in view are made all together afterwards.
    if (!visible || !qt::TheMainWindow()->Shown())
      return;
  }
  if (QWidget* widget = MadeWidget(control))
    widget->setVisible(visible);
}

void SetControlEnabled(Control control, bool enabled) {
  if (qt::HeldBox* held = HeldOf(control))
    held->enabled = enabled;
  else if (QWidget* widget = WidgetOf(control))
    widget->setEnabled(enabled);
}

void SetControlTextColour(Control control, Rgb colour) {
  if (qt::HeldBox* held = HeldOf(control))
    held->textColour = colour;
  else if (QWidget* widget = WidgetOf(control))
    qt::ApplyTextColour(widget, colour);
}

void SetControlBackground(Control control, Rgb colour) {
  if (qt::HeldBox* held = HeldOf(control))
    held->background = colour;
  else if (QWidget* widget = WidgetOf(control))
    qt::ApplyBackground(widget, colour);
}

bool IsTicked(Control control) {
  const qt::ControlWidget* found = Find(control);
  return found != nullptr && found->kind == ControlKind::CheckBox &&
         static_cast<QAbstractButton*>(found->widget)->isChecked();
}

void SetTicked(Control control, bool ticked) {
  const qt::ControlWidget* found = Find(control);
  if (found != nullptr && found->kind == ControlKind::CheckBox)
    static_cast<QAbstractButton*>(found->widget)->setChecked(ticked);
}

Rect ControlRect(Control control) {
  if (const qt::HeldBox* held = HeldOf(control))
    return held->place;
  const QWidget* widget = WidgetOf(control);
  if (widget == nullptr)
    return {};
  const QRect place = widget->geometry();
  return {place.x(), place.y(), place.width(), place.height()};
}

void MoveControl(Control control, const Rect& place) {
  if (qt::HeldBox* held = HeldOf(control))
    held->place = place;
  else if (QWidget* widget = WidgetOf(control))
    widget->setGeometry(place.left, place.top, place.width, place.height);
}

void FocusControl(Control control) {
  if (QWidget* widget = MadeWidget(control))
    widget->setFocus(Qt::OtherFocusReason);
}

void SelectWholeText(Control control) {
  const qt::ControlWidget* found = Find(control);
  if (found == nullptr || found->kind != ControlKind::EditBox)
    return;
  QWidget* widget = MadeWidget(control);
  if (found->multiLine) {
    auto* box = static_cast<qt::MultiLineBox*>(widget);
    box->selectAll();  // the caret ends at the end of the text
    box->ensureCursorVisible();
  } else {
    static_cast<qt::OneLineBox*>(widget)->selectAll();
  }
}

}  // namespace platform
