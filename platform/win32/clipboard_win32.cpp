// The snippet onto the clipboard, as Unicode text and as text of the system's code page.
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_state.h"

namespace platform {
namespace {

HGLOBAL CopyToGlobal(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr)
    return nullptr;
  void* at = GlobalLock(block);
  if (at == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, bytes, size);
  GlobalUnlock(block);
  return block;
}

// The text in the system's ANSI code page, for programs that read only CF_TEXT.
std::string AnsiOf(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0)
    return std::string(1, '\0');
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  return ansi;  // NUL included
}

}  // namespace

bool CopyTextToClipboard(std::string_view text) {
  const std::wstring wide = WideFromText(text);
  const std::string ansi = AnsiOf(wide);
  // The memory is had before the clipboard is touched, so a failure leaves it as it was.
  HGLOBAL unicodeBlock = CopyToGlobal(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  HGLOBAL ansiBlock = CopyToGlobal(ansi.data(), ansi.size());
  if (unicodeBlock == nullptr || ansiBlock == nullptr || !OpenClipboard(win32::Window().main)) {
    if (unicodeBlock != nullptr)
      GlobalFree(unicodeBlock);
    if (ansiBlock != nullptr)
      GlobalFree(ansiBlock);
    return false;
  }
  EmptyClipboard();
  const bool unicodeSet = SetClipboardData(CF_UNICODETEXT, unicodeBlock) != nullptr;
  if (!unicodeSet)
    GlobalFree(unicodeBlock);
  if (SetClipboardData(CF_TEXT, ansiBlock) == nullptr)
    GlobalFree(ansiBlock);
  CloseClipboard();
  return unicodeSet;
}

}  // namespace platform
