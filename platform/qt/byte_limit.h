#pragma once
// A length limit in bytes of the program's code page for a one-line box. Typing or pasting inserts
// only as much of the incoming text as fits, whole characters only; text the program sets is not
// cut. Qt's own limit counts UTF-16 units, which lets a Chinese character through as one.
#include <QString>
#include <QValidator>

namespace platform::qt {

// The length of a text in bytes of the program's code page.
int TextBytes(QStringView text);

class ByteLimit : public QValidator {
 public:
  ByteLimit(int maxBytes, QObject* parent);
  State validate(QString& input, int& pos) const override;
  // The box's text after each change, whoever made it: the base the next edit is measured from.
  void Remember(const QString& text) { accepted_ = text; }
  // While set, every text passes: the program may put a longer text into the box.
  void SetBypass(bool on) { bypass_ = on; }

 private:
  int maxBytes_;
  QString accepted_;
  bool bypass_ = false;
};

}  // namespace platform::qt
