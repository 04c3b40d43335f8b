// The part number box: typed keys other than digits and "-" are dropped, and no typing or pasting
// makes its text longer than its limit in bytes of the program's texts (EM_LIMITTEXT alone counts
// UTF-16 units, and one Chinese character is two bytes).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/encoding.h"
#include "platform/win32/window_state.h"

namespace win32 {
namespace {

bool IsAcceptedKey(WPARAM character) {
  return character < 0x20 || character == 0x7F || (character >= L'0' && character <= L'9') ||
         character == L'-';
}

std::size_t ByteLength(std::wstring_view wide) {
  return TextFromUtf16(std::u16string(wide.begin(), wide.end())).size();
}

std::wstring ClipboardFirstLine(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner))
    return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  // A box of one line takes the first line only, as the system's own paste does.
  text.resize(text.find_first_of(L"\r\n") == std::wstring::npos ? text.size()
                                                                : text.find_first_of(L"\r\n"));
  return text;
}

// Pastes as much of the clipboard's first line as fits into limit bytes, whole characters only.
void PasteWithin(HWND box, std::size_t limit) {
  std::wstring now(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  now.resize(
      static_cast<std::size_t>(GetWindowTextW(box, now.data(), static_cast<int>(now.size()))));
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, static_cast<DWORD>(now.size()));
  end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(now.size()));
  const std::size_t kept = ByteLength(now.substr(0, start)) + ByteLength(now.substr(end));
  if (kept >= limit)
    return;
  const std::wstring pasted = ClipboardFirstLine(box);
  std::size_t take = 0;
  while (take < pasted.size()) {
    std::size_t next = take + 1;
    if (pasted[take] >= 0xD800 && pasted[take] <= 0xDBFF && next < pasted.size())
      ++next;
    if (kept + ByteLength(std::wstring_view(pasted).substr(0, next)) > limit)
      break;
    take = next;
  }
  if (take > 0) {
    const std::wstring piece = pasted.substr(0, take);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(piece.c_str()));
  }
}

LRESULT CALLBACK InputRulesProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
  const auto* design = reinterpret_cast<const ControlDesign*>(data);
  if (message == WM_CHAR && design->digitsOnly && !IsAcceptedKey(wParam))
    return 0;
  if (message == WM_PASTE && design->maxLength > 0) {
    PasteWithin(box, static_cast<std::size_t>(design->maxLength));
    return 0;
  }
  if (message == WM_NCDESTROY)
    RemoveWindowSubclass(box, InputRulesProc, 0);
  return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

void ApplyInputRules(const ControlState& control) {
  if (control.design->digitsOnly || control.design->maxLength > 0)
    SetWindowSubclass(control.hwnd, InputRulesProc, 0, reinterpret_cast<DWORD_PTR>(control.design));
}

}  // namespace win32
