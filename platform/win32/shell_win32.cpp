// Links to the default browser and the executable's own path.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_state.h"

namespace platform {

void OpenLinkInBrowser(std::string_view link) {
  // The shell starts the browser and returns; nothing waits for it, and a failure goes unnoticed.
  ShellExecuteW(win32::Window().main, L"open", WideFromText(link).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

Text ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size()) {
      path.resize(length);
      return TextFromWide(path);
    }
    path.resize(path.size() * 2);  // cut short: a long path
  }
}

}  // namespace platform
