#include "platform/qt/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "platform/qt/control_widgets.h"
#include "platform/qt/palette_colours.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/subset_fonts.h"

namespace platform::qt {

namespace {

MainWindow* theWindow = nullptr;

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

QFont DesignFont(const FontDesign& design) {
  QFont font = QApplication::font();
  if (design.pixelHeight == 0)
    return font;  // the default GUI font
  // The design is in pixels and names no face; the face has to show Chinese.
  font.setFamilies({QString::fromLatin1(kSubsetFamily), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("WenQuanYi Micro Hei"), font.family()});
  font.setPixelSize(design.pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(design.weight));
  return font;
}

Qt::Alignment HorizontalAlignment(Alignment alignment) {
  return alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

QWidget* MakeControl(const ControlDesign& design, QWidget* parent) {
  const QString text = QStringFromText(design.text);
  QWidget* widget = nullptr;
  switch (design.kind) {
    case ControlKind::Button: {
      auto* button = new CaptionButton(text, parent);
      button->setAutoDefault(false);
      if (design.onClick != nullptr)
        QObject::connect(button, &QAbstractButton::clicked, button, design.onClick);
      widget = button;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new CaptionCheckBox(text, parent);
      // clicked comes after the tick has changed, and never from setChecked.
      if (design.onClick != nullptr)
        QObject::connect(box, &QAbstractButton::clicked, box, design.onClick);
      ApplyTextColour(box, design.textColour);
      widget = box;
      break;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(false);
      label->setAlignment(HorizontalAlignment(design.alignment) | Qt::AlignVCenter);
      ApplyTextColour(label, design.textColour);
      widget = label;
      break;
    }
    case ControlKind::EditBox:
      return nullptr;  // held until MakeBox
  }
  widget->setFont(DesignFont(design.font));
  const Rect& place = design.place;
  widget->setGeometry(place.left, place.top, place.width, place.height);
  widget->setEnabled(design.enabled);
  widget->setVisible(design.visible);
  return widget;
}

QWidget* MakeBox(const ControlDesign& design, const HeldBox& held, QWidget* parent) {
  QWidget* widget = nullptr;
  if (design.multiLine) {
    auto* box = new MultiLineBox(design.border, parent);
    QTextOption option = box->document()->defaultTextOption();
    option.setAlignment(HorizontalAlignment(design.alignment));
    box->document()->setDefaultTextOption(option);
    box->setFont(DesignFont(design.font));
    box->SetValue(held.value);
    widget = box;
  } else {
    auto* box = new OneLineBox(design.border, design.maxLength, design.digitsOnly, parent);
    box->setAlignment(HorizontalAlignment(design.alignment) | Qt::AlignVCenter);
    box->setFont(DesignFont(design.font));
    box->SetValue(held.value);
    widget = box;
  }
  ApplyTextColour(widget, held.textColour);
  ApplyBackground(widget, held.background);
  const Rect& place = held.place;
  widget->setGeometry(place.left, place.top, place.width, place.height);
  widget->setEnabled(held.enabled);
  widget->setVisible(held.visible);
  return widget;
}

bool InMultiLineBox(QWidget* widget, QWidget* window) {
  for (; widget != nullptr && widget != window; widget = widget->parentWidget()) {
    if (qobject_cast<QPlainTextEdit*>(widget) != nullptr)
      return true;
  }
  return false;
}

}  // namespace

MainWindow* TheMainWindow() {
  return theWindow;
}

void SetTheMainWindow(MainWindow* window) {
  theWindow = window;
}

MainWindow::MainWindow(const WindowDesign& design)
    : QWidget(nullptr, kWindowFlags), design_(design) {
  SetCaption(QStringFromText(design.caption));
  // Qt stacks later siblings in front: the back-most control is made first.
  for (auto it = design.controls.rbegin(); it != design.controls.rend(); ++it) {
    const ControlDesign& control = *it;
    const auto index = static_cast<std::size_t>(control.id);
    controls_[index] = {MakeControl(control, this), control.kind, control.multiLine};
    if (control.kind == ControlKind::EditBox)
      held_[index] = std::make_unique<HeldBox>(control);
  }

  // Tab walks the controls in reading order; the first one has the focus at the start.
  std::vector<const ControlDesign*> reading;
  for (const ControlDesign& control : design.controls) {
    if (control.kind != ControlKind::Label)
      reading.push_back(&control);
  }
  std::stable_sort(reading.begin(), reading.end(), [](const auto* a, const auto* b) {
    return std::pair(a->place.top, a->place.left) < std::pair(b->place.top, b->place.left);
  });
  for (const ControlDesign* control : reading)
    readingOrder_.push_back(control->id);
  SetTabOrder();
  if (!readingOrder_.empty() && Of(readingOrder_.front()).widget != nullptr)
    Of(readingOrder_.front()).widget->setFocus(Qt::OtherFocusReason);

  outerSize_ = QSize(design.outerSize.width, design.outerSize.height);
  FitClientToOuter();
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  move((screen.width() - outerSize_.width()) / 2, (screen.height() - outerSize_.height()) / 2);

  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
}

QWidget* MainWindow::Made(Control control) {
  const auto index = static_cast<std::size_t>(control);
  ControlWidget& made = controls_[index];
  if (made.widget != nullptr || held_[index] == nullptr)
    return made.widget;
  const bool focusHere =
      focusWidget() == nullptr && !readingOrder_.empty() && readingOrder_.front() == control;
  const ControlDesign* design = nullptr;
  for (const ControlDesign& candidate : design_.controls) {
    if (candidate.id == control)
      design = &candidate;
  }
  made.widget = MakeBox(*design, *held_[index], this);
  held_[index].reset();
  // Directly behind the nearest control in front of it that has a widget.
  QWidget* front = nullptr;
  for (const ControlDesign& other : design_.controls) {
    if (other.id == control)
      break;
    if (Of(other.id).widget != nullptr)
      front = Of(other.id).widget;
  }
  if (front != nullptr)
    made.widget->stackUnder(front);
  else
    made.widget->raise();
  SetTabOrder();
  if (focusHere)
    made.widget->setFocus(Qt::OtherFocusReason);
  return made.widget;
}

void MainWindow::MakeShownBoxes() {
  shown_ = true;
  for (const ControlDesign& control : design_.controls) {
    if (const HeldBox* held = Held(control.id); held != nullptr && held->visible)
      Made(control.id);
  }
}

void MainWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const Control control : readingOrder_) {
    QWidget* widget = Of(control).widget;
    if (widget == nullptr)
      continue;
    if (previous != nullptr)
      setTabOrder(previous, widget);
    previous = widget;
  }
}

Rect MainWindow::OuterRect() const {
  const QRect outer = frameGeometry();
  return {outer.x(), outer.y(), outer.width(), outer.height()};
}

void MainWindow::SetOuterRect(const Rect& outer) {
  outerSize_ = QSize(outer.width, outer.height);
  FitClientToOuter();
  move(outer.left, outer.top);  // a top-level's move() places its frame
}

void MainWindow::SetOuterHeight(int outerHeight) {
  outerSize_.setHeight(outerHeight);
  FitClientToOuter();
}

void MainWindow::SetAlwaysOnTop(bool on) {
  // Only the native window's flag changes: setWindowFlags would hide and re-map the window.
  overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, on));
  if (QWindow* native = windowHandle())
    native->setFlag(Qt::WindowStaysOnTopHint, on);
}

void MainWindow::SetCaption(const QString& caption) {
  // Qt reads "[*]" in a title as the unsaved-changes mark; doubling it shows it as typed.
  QString title = caption;
  setWindowTitle(title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

QSize MainWindow::ClientSizeForOuter() const {
  QMargins frame;
  if (isVisible() && windowHandle() != nullptr)
    frame = windowHandle()->frameMargins();
  // A client of no width or height would unmap the window.
  return QSize(std::max(1, outerSize_.width() - frame.left() - frame.right()),
               std::max(1, outerSize_.height() - frame.top() - frame.bottom()));
}

void MainWindow::FitClientToOuter() {
  setFixedSize(ClientSizeForOuter());
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
      // The window manager may have framed the window, or changed the frame.
      if (size() != ClientSizeForOuter())
        FitClientToOuter();
      break;
    default:
      break;
  }
  return handled;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this)
    return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers held = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier);
  if (key->key() == Qt::Key_Escape && held == Qt::NoModifier) {
    close();
    return true;
  }
  // Only a box of several lines takes Enter; elsewhere it does nothing at all.
  if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
      !InMultiLineBox(widget, this))
    return true;
  return false;
}

}  // namespace platform::qt
