#pragma once
// MainWindow as a Qt top-level widget built from the design table. The window's size is kept as
// the outer size the program asked for: the client area is that minus the frame, which is known
// only once the window manager has framed the window, and is fitted again whenever the frame
// changes. Without a window manager the frame is zero.
#include <QMargins>
#include <QSize>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "platform/qt/held_box.h"
#include "ui/design.h"

namespace platform::qt {

struct ControlWidget {
  QWidget* widget = nullptr;  // nullptr while the control is a held box
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
  // The box's properties while it has no widget; nullptr for every other control.
  HeldBox* Held(Control control) const { return held_[static_cast<std::size_t>(control)].get(); }
  // The control's widget, made now from its held properties if it has none.
  QWidget* Made(Control control);
  // Once the window has been shown: the boxes in view get their widgets, and a held box gets its
  // widget as soon as it is shown.
  void MakeShownBoxes();
  bool Shown() const { return shown_; }
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
  void SetTabOrder();

  const WindowDesign& design_;
  std::array<ControlWidget, kControlCount> controls_{};
  std::array<std::unique_ptr<HeldBox>, kControlCount> held_{};
  std::vector<Control> readingOrder_;  // the controls that can take the focus
  bool shown_ = false;
  QSize outerSize_;
};

// The one window, from its creation until the event loop has ended; nullptr otherwise.
MainWindow* TheMainWindow();
void SetTheMainWindow(MainWindow* window);

}  // namespace platform::qt
