#pragma once
// The kinds of controls the design uses, drawn the way the design describes them: captions that
// may break onto a second line, edges of edit boxes, byte limits and the digit filter.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/design.h"

namespace platform::qt {

class ByteLimit;

class CaptionButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class CaptionCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The whole control takes the click, not only the box and the caption's letters.
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Several lines: wraps at the box's width, scrolls with the caret, no scroll bars; Tab leaves the
// box, Enter breaks the line.
class MultiLineBox : public QPlainTextEdit {
 public:
  MultiLineBox(EditBorder border, QWidget* parent);
  // Line breaks are CR LF on the program's side.
  QString Value() const;
  void SetValue(const QString& value);
  // What Value() gives back after SetValue(value).
  static QString Normalised(const QString& value);

 protected:
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Qt lays a word that is wider than the box out again for each line it fills: a pasted
  // megabyte without a blank would hold the window for half a minute. While the box holds such
  // a word, text wraps anywhere, which is where that word wraps in any case.
  static bool HasLongWord(const QString& text);
  void WrapAnywhere(bool anywhere);
  static QString ValueOf(const QTextDocument& document);
  static QString Lines(const QString& value);
};

class OneLineBox : public QLineEdit {
 public:
  OneLineBox(EditBorder border, int maxBytes, bool digitsOnly, QWidget* parent);
  // The program's text is not cut by the byte limit.
  void SetValue(const QString& value);
  // What text() gives back after SetValue(value).
  static QString Normalised(const QString& value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  EditBorder border_;
  bool digitsOnly_;
  ByteLimit* limit_ = nullptr;
};

// True for a typed character the digit filter lets through: 0 to 9, "-" and control characters.
bool PassesDigitFilter(QChar c);

}  // namespace platform::qt
