#pragma once
// MainWindow as a Qt top-level widget built from the design table. The window's size is kept as
// the outer size the program asked for: the client area is that minus the frame, which is known
// only once the window manager has framed the window, and is fitted again whenever the frame
// changes. Without a window manager the frame is zero.
#include <QMargins>
#include <QSize>
#include <QWidget>
#include <array>

#include "ui/design.h"

namespace platform::qt {

struct ControlWidget {
  QWidget* widget = nullptr;
  ControlKind kind = ControlKind::Button;
  bool multiLine = false;
};

class MainWindow : public QWidget {
 public:
  explicit MainWindow(const WindowDesign& design);
  ~MainWindow() override;

  const ControlWidget& Of(Control control) const {
    return controls_[static_cast<std::size_t>(control)];
  }
  Rect OuterRect() const;
  void SetOuterRect(const Rect& outer);
  void SetOuterHeight(int outerHeight);
  void SetAlwaysOnTop(bool on);
  void SetCaption(const QString& caption);

 protected:
  bool event(QEvent* event) override;
  // Esc and Enter for the window and every control in it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSize ClientSizeForOuter() const;
  void FitClientToOuter();

  std::array<ControlWidget, kControlCount> controls_{};
  QSize outerSize_;
};

// The one window, from its creation until the event loop has ended; nullptr otherwise.
MainWindow* TheMainWindow();
void SetTheMainWindow(MainWindow* window);

}  // namespace platform::qt
