// The conversions at the platforms' edge on any bytes: the ASCII punctuation that structures
// links and snippets ('"', '<', '>', '&', '/', '%', blanks, ...) is never swallowed by a broken
// character around it, and what comes out is well formed.
#include <string>

#include "platform/encoding.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// Bytes that no multi-byte character of GB18030 or UTF-8 can contain: below 0x40, digits apart.
bool Structural(unsigned int c) {
  return c < 0x40 && !(c >= '0' && c <= '9');
}

template <typename String>
std::string StructuralOf(const String& text) {
  std::string kept;
  for (const auto c : text) {
    const auto value = static_cast<unsigned int>(static_cast<std::make_unsigned_t<decltype(c)>>(c));
    if (Structural(value))
      kept.push_back(static_cast<char>(value));
  }
  return kept;
}

bool IsWellFormedUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size())
      return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
        return false;
    }
    i += length;
  }
  return true;
}

bool IsWellFormedUtf16(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xDC00 && unit <= 0xDFFF)
      return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
        return false;
      ++i;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = Utf8FromText(input);
  const std::u16string utf16 = Utf16FromText(input);
  FUZZ_CHECK(IsWellFormedUtf8(utf8));
  FUZZ_CHECK(IsWellFormedUtf16(utf16));
  FUZZ_CHECK(StructuralOf(utf8) == StructuralOf(input));
  FUZZ_CHECK(StructuralOf(utf16) == StructuralOf(input));
  // Whatever the window gives back of a text it was given is that text again, once the bytes
  // that formed no character have become replacement characters.
  FUZZ_CHECK(TextFromUtf8(utf8) == TextFromUtf16(utf16));
  FUZZ_CHECK(Utf8FromText(TextFromUtf8(utf8)) == utf8);

  // The other way: from what the toolkit hands over (any bytes, as a broken clipboard may).
  const Text fromUtf8 = TextFromUtf8(input);
  FUZZ_CHECK(StructuralOf(fromUtf8) == StructuralOf(input));
  return 0;
}
