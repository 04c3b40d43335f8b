#pragma once
// Texts cross into Qt and back only here, through the program's UTF-8 conversions.
#include <QByteArray>
#include <QString>
#include <string_view>

#include "platform/encoding.h"

namespace platform::qt {

inline QString QStringFromText(std::string_view text) {
  const std::string utf8 = Utf8FromText(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline Text TextFromQString(const QString& string) {
  const QByteArray utf8 = string.toUtf8();
  return TextFromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace platform::qt
