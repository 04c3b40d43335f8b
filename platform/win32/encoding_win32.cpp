// The program's texts and the encodings at the edge of Windows. Code page 54936 is not used:
// Wine does not know it, so the GB18030 mapping comes with the program (gb18030.h).
#include "platform/encoding.h"

#include "platform/win32/gb18030.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The character starting at bytes[i] and its length, or U+FFFD and 1 when that byte is malformed.
char32_t DecodeUtf8(std::string_view bytes, std::size_t i, std::size_t& length) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char b = at(i);
  length = 1;
  if (b < 0x80)
    return b;
  int extra = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    extra = 1, c = b & 0x1F, least = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    extra = 2, c = b & 0x0F, least = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    extra = 3, c = b & 0x07, least = 0x10000;
  } else {
    return kReplacement;
  }
  if (i + extra >= bytes.size())
    return kReplacement;
  for (int k = 1; k <= extra; ++k) {
    const unsigned char next = at(i + k);
    if ((next & 0xC0) != 0x80)
      return kReplacement;
    c = c << 6 | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    return kReplacement;
  length = static_cast<std::size_t>(extra) + 1;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | c >> 6));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | c >> 12));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | c >> 18));
    out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0, length = 0; i < utf8.size(); i += length) {
    char32_t c = DecodeUtf8(utf8, i, length);
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char32_t c = gb18030::CodePointAt(utf16, i);
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace

std::string Utf8FromText(std::string_view text) {
  return Utf8FromUtf16(gb18030::Decode(text));
}

Text TextFromUtf8(std::string_view utf8) {
  return gb18030::Encode(Utf16FromUtf8(utf8));
}

std::u16string Utf16FromText(std::string_view text) {
  return gb18030::Decode(text);
}

Text TextFromUtf16(std::u16string_view utf16) {
  return gb18030::Encode(utf16);
}
