#include "platform/qt/control_widgets.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextDocument>

#include "platform/qt/byte_limit.h"

namespace platform::qt {

namespace {

int EdgeWidth(EditBorder border) {
  switch (border) {
    case EditBorder::None:
      return 0;
    case EditBorder::StaticEdge:
      return 1;
    case EditBorder::ClientEdge:
      return 2;
    case EditBorder::ClientEdgeModalFrame:
      return 4;
  }
  return 0;
}

void DrawEdge(QPainter& painter, QRect area, EditBorder border, const QPalette& palette) {
  switch (border) {
    case EditBorder::None:
      break;
    case EditBorder::StaticEdge:
      qDrawShadePanel(&painter, area, palette, true, 1);
      break;
    case EditBorder::ClientEdge:
      qDrawWinPanel(&painter, area, palette, true);
      break;
    case EditBorder::ClientEdgeModalFrame:
      qDrawWinPanel(&painter, area, palette, false);
      qDrawWinPanel(&painter, area.adjusted(2, 2, -2, -2), palette, true);
      break;
  }
}

void DrawFocus(QStylePainter& painter, const QWidget& widget, QRect area) {
  QStyleOptionFocusRect focus;
  focus.initFrom(&widget);
  focus.rect = area;
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

}  // namespace

bool PassesDigitFilter(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'-' || c.category() == QChar::Other_Control;
}

void CaptionButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (option.state & (QStyle::State_On | QStyle::State_Sunken)) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                       QPalette::ButtonText);
  if (option.state & QStyle::State_HasFocus)
    DrawFocus(painter, *this,
              style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this));
}

void CaptionCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton indicator = option;
  indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);
  const QRect area = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
  painter.drawItemText(area, flags, palette(), isEnabled(), text(), QPalette::WindowText);
  if (option.state & QStyle::State_HasFocus)
    DrawFocus(painter, *this, painter.boundingRect(area, flags, text()).adjusted(-1, -1, 1, 1));
}

MultiLineBox::MultiLineBox(EditBorder border, QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(true);
  document()->setDocumentMargin(2);
  switch (border) {
    case EditBorder::None:
      setFrameStyle(QFrame::NoFrame);
      break;
    case EditBorder::StaticEdge:
      setFrameStyle(QFrame::Panel | QFrame::Sunken);
      setLineWidth(1);
      break;
    case EditBorder::ClientEdge:
    case EditBorder::ClientEdgeModalFrame:
      setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
      break;
  }
}

QString MultiLineBox::ValueOf(const QTextDocument& document) {
  // The raw text keeps what the user typed (plain text would turn no-break spaces into spaces);
  // its paragraph and line separators are the box's line breaks.
  QString value = document.toRawText();
  value.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  value.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return value;
}

QString MultiLineBox::Lines(const QString& value) {
  QString lines = value;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lines;
}

QString MultiLineBox::Value() const {
  return ValueOf(*document());
}

QString MultiLineBox::Normalised(const QString& value) {
  // A document that no view lays out: the same text model, without fonts.
  QTextDocument document;
  document.setPlainText(Lines(value));
  return ValueOf(document);
}

void MultiLineBox::SetValue(const QString& value) {
  const QString lines = Lines(value);
  // The mode changes while the shorter of the two texts is in the box: changing it lays the
  // whole text out again.
  const bool longWord = HasLongWord(lines);
  if (longWord)
    WrapAnywhere(true);
  setPlainText(lines);
  if (!longWord)
    WrapAnywhere(false);
}

void MultiLineBox::insertFromMimeData(const QMimeData* source) {
  if (source->hasText())
    WrapAnywhere(HasLongWord(toPlainText() + source->text()));
  QPlainTextEdit::insertFromMimeData(source);
}

bool MultiLineBox::HasLongWord(const QString& text) {
  constexpr qsizetype kLongestWordWrapped = 16 * 1024;  // laid out in well under 0.1 s
  qsizetype run = 0;
  for (const QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    if (run > kLongestWordWrapped)
      return true;
  }
  return false;
}

void MultiLineBox::WrapAnywhere(bool anywhere) {
  const QTextOption::WrapMode mode =
      anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
  if (wordWrapMode() != mode)
    setWordWrapMode(mode);
}

OneLineBox::OneLineBox(EditBorder border, int maxBytes, bool digitsOnly, QWidget* parent)
    : QLineEdit(parent), border_(border), digitsOnly_(digitsOnly) {
  setFrame(false);
  const int edge = EdgeWidth(border);
  setContentsMargins(edge, edge, edge, edge);
  if (maxBytes > 0) {
    limit_ = new ByteLimit(maxBytes, this);
    setValidator(limit_);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { limit_->Remember(t); });
  }
  // Digits are typed as plain keys; an input method would only offer characters the filter drops.
  if (digitsOnly)
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void OneLineBox::SetValue(const QString& value) {
  if (limit_ == nullptr) {
    setText(value);
    return;
  }
  limit_->SetBypass(true);
  setText(value);
  limit_->SetBypass(false);
}

QString OneLineBox::Normalised(const QString& value) {
  constexpr qsizetype kDefaultMaxLength = 32767;  // QLineEdit's, which the boxes keep
  return value.left(kDefaultMaxLength);
}

void OneLineBox::keyPressEvent(QKeyEvent* event) {
  if (digitsOnly_) {
    const QString typed = event->text();
    for (const QChar c : typed) {
      if (!PassesDigitFilter(c)) {
        event->accept();
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
}

void OneLineBox::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(QPalette::Base));
  }
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  DrawEdge(painter, rect(), border_, palette());
}

}  // namespace platform::qt
