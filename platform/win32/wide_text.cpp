#include "platform/win32/wide_text.h"

#include "platform/encoding.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

std::wstring WideFromText(std::string_view text) {
  const std::u16string utf16 = Utf16FromText(text);
  return std::wstring(utf16.begin(), utf16.end());
}

Text TextFromWide(std::wstring_view wide) {
  return TextFromUtf16(std::u16string(wide.begin(), wide.end()));
}
