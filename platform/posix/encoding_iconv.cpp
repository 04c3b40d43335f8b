#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/encoding.h"

namespace {

constexpr const char* kCodePage = "GB18030";
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr std::string_view kCodePageReplacement = "\x84\x31\xA4\x37";  // U+FFFD
constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

unsigned char ByteAt(std::string_view bytes, size_t index) {
  return index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : 0;
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// How many bytes at the start of rest to replace by one replacement character, once the
// converter has stopped there. A sequence of the right shape that merely has no counterpart is
// replaced whole; anything else loses one byte at a time.
size_t CodePageSkip(std::string_view rest) {
  const unsigned char lead = ByteAt(rest, 0);
  const unsigned char second = ByteAt(rest, 1);
  if (!InRange(lead, 0x81, 0xFE))
    return 1;
  if (InRange(second, 0x40, 0x7E) || InRange(second, 0x80, 0xFE))
    return 2;
  if (InRange(second, 0x30, 0x39) && InRange(ByteAt(rest, 2), 0x81, 0xFE) &&
      InRange(ByteAt(rest, 3), 0x30, 0x39))
    return 4;
  return 1;
}

size_t Utf8Skip(std::string_view rest) {
  const unsigned char lead = ByteAt(rest, 0);
  unsigned char low = 0x80, high = 0xBF;  // the range of the first continuation byte
  size_t length = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0)
      low = 0xA0;
    if (lead == 0xED)
      high = 0x9F;  // no surrogates
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0)
      low = 0x90;
    if (lead == 0xF4)
      high = 0x8F;
  } else {
    return 1;
  }
  if (!InRange(ByteAt(rest, 1), low, high))
    return 1;
  for (size_t i = 2; i < length; ++i) {
    if (!InRange(ByteAt(rest, i), 0x80, 0xBF))
      return 1;
  }
  return length;
}

char16_t UnitAt(std::string_view bytes, size_t index) {
  char16_t unit = 0;
  if ((index + 1) * 2 <= bytes.size())
    std::memcpy(&unit, bytes.data() + index * 2, 2);
  return unit;
}

size_t Utf16Skip(std::string_view rest) {
  const char16_t first = UnitAt(rest, 0);
  const char16_t second = UnitAt(rest, 1);
  const bool pair = first >= 0xD800 && first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF;
  return pair ? 4 : 2;
}

// One way of conversion. Units are 1 byte, or 2 for UTF-16.
struct Direction {
  const char* to;
  const char* from;
  size_t (*skip)(std::string_view rest);
  std::string_view replacement;
  size_t inUnit;
  size_t outUnit;
};

// Without a converter (the system lacks it) only ASCII gets through; the rest is replaced.
std::string ConvertAsciiOnly(const Direction& direction, std::string_view input) {
  std::string output;
  for (size_t i = 0; i < input.size(); i += direction.inUnit) {
    const char16_t value = direction.inUnit == 2 ? UnitAt(input, i / 2) : ByteAt(input, i);
    if (value >= 0x80) {
      output.append(direction.replacement);
    } else if (direction.outUnit == 2) {
      output.append(reinterpret_cast<const char*>(&value), 2);
    } else {
      output.push_back(static_cast<char>(value));
    }
  }
  return output;
}

// Puts the replacement in place of whatever does not convert, so that nothing vanishes.
std::string Convert(const Direction& direction, std::string_view input) {
  iconv_t converter = iconv_open(direction.to, direction.from);
  if (converter == reinterpret_cast<iconv_t>(-1))
    return ConvertAsciiOnly(direction, input);
  std::string output;
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<size_t>(out - buffer));
    if (result != static_cast<size_t>(-1) || errno == E2BIG)
      continue;
    // EILSEQ, or EINVAL for a sequence cut short by the end of the input.
    const size_t skipped = std::min(direction.skip(std::string_view(in, inLeft)), inLeft);
    in += skipped;
    inLeft -= skipped;
    output.append(direction.replacement);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(converter);
  return output;
}

std::string_view BytesOf(std::u16string_view text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

}  // namespace

std::string Utf8FromText(std::string_view text) {
  return Convert({"UTF-8", kCodePage, CodePageSkip, kUtf8Replacement, 1, 1}, text);
}

Text TextFromUtf8(std::string_view utf8) {
  return Convert({kCodePage, "UTF-8", Utf8Skip, kCodePageReplacement, 1, 1}, utf8);
}

std::u16string Utf16FromText(std::string_view text) {
  constexpr char16_t kReplacement = u'\uFFFD';
  const std::string bytes = Convert(
      {kUtf16, kCodePage, CodePageSkip, BytesOf(std::u16string_view(&kReplacement, 1)), 1, 2},
      text);
  std::u16string utf16(bytes.size() / sizeof(char16_t), u'\0');
  std::memcpy(utf16.data(), bytes.data(), utf16.size() * sizeof(char16_t));
  return utf16;
}

Text TextFromUtf16(std::u16string_view utf16) {
  return Convert({kCodePage, kUtf16, Utf16Skip, kCodePageReplacement, 2, 1}, BytesOf(utf16));
}
