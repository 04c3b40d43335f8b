// The browser, the clipboard and the executable's path on Linux with Qt.
#include <unistd.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>

#include <array>

#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace platform {

void OpenLinkInBrowser(std::string_view link) {
  // The link is the opener's one argument, exactly as composed: no shell, no re-encoding as
  // QDesktopServices would do. Started detached, so nothing waits and nothing is left to reap.
  QProcess opener;
  opener.setProgram(QStringLiteral("xdg-open"));
  opener.setArguments({qt::QStringFromText(link)});
  opener.startDetached();
}

bool CopyTextToClipboard(std::string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr)
    return false;
  const QString value = qt::QStringFromText(text);
  clipboard->setText(value, QClipboard::Clipboard);
  return clipboard->ownsClipboard() && clipboard->text(QClipboard::Clipboard) == value;
}

Text ExecutablePath() {
  static const Text path = [] {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size())
      return Text();
    return Text(buffer.data(), static_cast<std::size_t>(length));
  }();
  return path;
}

}  // namespace platform
