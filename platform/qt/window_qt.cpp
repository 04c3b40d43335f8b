// The main window's primitives on Qt.
#include <QGuiApplication>
#include <QScreen>

#include "platform/platform.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_text.h"

namespace platform {

using qt::TheMainWindow;

void SetWindowCaption(std::string_view caption) {
  if (TheMainWindow() != nullptr)
    TheMainWindow()->SetCaption(qt::QStringFromText(caption));
}

Rect WindowRect() {
  return TheMainWindow() != nullptr ? TheMainWindow()->OuterRect() : Rect{};
}

void MoveWindowTo(const Rect& outer) {
  if (TheMainWindow() != nullptr)
    TheMainWindow()->SetOuterRect(outer);
}

void SetWindowHeight(int outerHeight) {
  if (TheMainWindow() != nullptr)
    TheMainWindow()->SetOuterHeight(outerHeight);
}

Size ClientSize() {
  if (TheMainWindow() == nullptr)
    return {};
  const QSize client = TheMainWindow()->size();
  return {client.width(), client.height()};
}

void SetAlwaysOnTop(bool on) {
  if (TheMainWindow() != nullptr)
    TheMainWindow()->SetAlwaysOnTop(on);
}

Size ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr)
    return {};
  const QSize size = screen->geometry().size();
  return {size.width(), size.height()};
}

}  // namespace platform
