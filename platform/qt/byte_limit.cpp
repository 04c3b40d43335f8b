#include "platform/qt/byte_limit.h"

#include "platform/qt/qt_text.h"

namespace platform::qt {

namespace {

// The length of the character starting at index i, in UTF-16 units.
qsizetype CharacterUnits(QStringView text, qsizetype i) {
  return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

}  // namespace

int TextBytes(QStringView text) {
  return static_cast<int>(TextFromQString(text.toString()).size());
}

ByteLimit::ByteLimit(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimit::validate(QString& input, int& pos) const {
  if (bypass_ || TextBytes(input) <= maxBytes_)
    return Acceptable;
  // One edit replaces one run of characters: what the new text shares with the old one at its
  // start and at its end was there before, the rest came in.
  const QString& old = accepted_;
  qsizetype prefix = 0;
  while (prefix < old.size() && prefix < input.size() && old[prefix] == input[prefix])
    ++prefix;
  if (prefix > 0 && input[prefix - 1].isHighSurrogate())
    --prefix;
  qsizetype suffix = 0;
  while (suffix < old.size() - prefix && suffix < input.size() - prefix &&
         old[old.size() - 1 - suffix] == input[input.size() - 1 - suffix])
    ++suffix;
  if (suffix > 0 && input[input.size() - suffix].isLowSurrogate())
    --suffix;

  const QStringView incoming = QStringView(input).mid(prefix, input.size() - prefix - suffix);
  int room = maxBytes_ - TextBytes(QStringView(input).left(prefix)) -
             TextBytes(QStringView(input).right(suffix));
  qsizetype taken = 0;
  while (taken < incoming.size()) {
    const qsizetype units = CharacterUnits(incoming, taken);
    const int bytes = TextBytes(incoming.mid(taken, units));
    if (bytes > room)
      break;
    room -= bytes;
    taken += units;
  }
  input = input.left(prefix) + incoming.left(taken).toString() + input.right(suffix);
  pos = static_cast<int>(prefix + taken);
  return Acceptable;
}

}  // namespace platform::qt
