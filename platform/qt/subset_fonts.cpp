#include "platform/qt/subset_fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace platform::qt {

void AddSubsetFonts() {
  for (const char* face : {":/fonts/subset-regular.otf", ":/fonts/subset-bold.otf"}) {
    const QString path = QString::fromLatin1(face);
    if (QFile::exists(path))
      QFontDatabase::addApplicationFont(path);
  }
}

}  // namespace platform::qt
