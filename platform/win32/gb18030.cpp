#include "platform/win32/gb18030.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/win32/gb18030_tables.h"

namespace gb18030 {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr int kFourByteBmpEnd = 39420;            // linear index after 84 31 A4 39
constexpr int kSupplementaryFirstIndex = 189000;  // 90 30 81 30 is U+10000

int TrailIndex(unsigned char trail) {
  if (trail >= 0x40 && trail <= 0x7E)
    return trail - 0x40;
  if (trail >= 0x80 && trail <= 0xFE)
    return trail - 0x41;
  return -1;
}

unsigned char TrailByte(int index) {
  return static_cast<unsigned char>(index < 0x3F ? 0x40 + index : 0x41 + index);
}

bool IsLead(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}

bool IsDigit(unsigned char b) {
  return b >= 0x30 && b <= 0x39;
}

// 0 when the code converts to nothing.
char32_t FromTwoByte(unsigned char lead, int trailIndex) {
  const int index = (lead - 0x81) * kTrailCount + trailIndex;
  if (char16_t c = kTwoByteBmp[index])
    return c;
  const std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | TrailByte(trailIndex));
  for (const auto& s : kTwoByteSupplementary) {
    if (s.code == code)
      return s.character;
  }
  return 0;
}

char32_t FromFourByteIndex(int linear) {
  if (linear < kFourByteBmpEnd) {
    const auto* end = std::end(kFourByteBmpRanges);
    const auto* after = std::upper_bound(
        std::begin(kFourByteBmpRanges), end, linear,
        [](int value, const FourByteRange& range) { return value < range.firstIndex; });
    if (after == std::begin(kFourByteBmpRanges))
      return 0;
    const FourByteRange& range = *(after - 1);
    if (linear >= range.firstIndex + range.count)
      return 0;
    return static_cast<char32_t>(range.firstCharacter + (linear - range.firstIndex));
  }
  const long supplementary = 0x10000L + linear - kSupplementaryFirstIndex;
  if (linear >= kSupplementaryFirstIndex && supplementary <= 0x10FFFF)
    return static_cast<char32_t>(supplementary);
  return 0;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

void AppendFourByte(std::string& out, int linear) {
  out.push_back(static_cast<char>(0x81 + linear / 12600));
  out.push_back(static_cast<char>(0x30 + linear / 1260 % 10));
  out.push_back(static_cast<char>(0x81 + linear / 10 % 126));
  out.push_back(static_cast<char>(0x30 + linear % 10));
}

// Where encoding looks a BMP character up: its two-byte code, or the four-byte run holding it.
struct EncodeTables {
  std::array<std::uint16_t, 0x10000> twoByteCode{};  // 0: none
  std::vector<FourByteRange> rangesByCharacter;
};

const EncodeTables& Tables() {
  static const EncodeTables tables = [] {
    EncodeTables t;
    for (int lead = 0; lead < kLeadCount; ++lead) {
      for (int trail = 0; trail < kTrailCount; ++trail) {
        if (char16_t c = kTwoByteBmp[lead * kTrailCount + trail])
          t.twoByteCode[c] = static_cast<std::uint16_t>((0x81 + lead) << 8 | TrailByte(trail));
      }
    }
    t.rangesByCharacter.assign(std::begin(kFourByteBmpRanges), std::end(kFourByteBmpRanges));
    std::sort(t.rangesByCharacter.begin(), t.rangesByCharacter.end(),
              [](const FourByteRange& a, const FourByteRange& b) {
                return a.firstCharacter < b.firstCharacter;
              });
    return t;
  }();
  return tables;
}

// False when the character has no code.
bool AppendCharacter(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return true;
  }
  const EncodeTables& t = Tables();
  if (c < 0x10000) {
    if (std::uint16_t code = t.twoByteCode[c]) {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
      return true;
    }
    const auto& ranges = t.rangesByCharacter;
    auto after = std::upper_bound(
        ranges.begin(), ranges.end(), c,
        [](char32_t value, const FourByteRange& range) { return value < range.firstCharacter; });
    if (after == ranges.begin())
      return false;
    const FourByteRange& range = *(after - 1);
    if (c >= static_cast<char32_t>(range.firstCharacter + range.count))
      return false;
    AppendFourByte(out, range.firstIndex + static_cast<int>(c - range.firstCharacter));
    return true;
  }
  for (const auto& s : kTwoByteSupplementary) {
    if (s.character == c) {
      out.push_back(static_cast<char>(s.code >> 8));
      out.push_back(static_cast<char>(s.code & 0xFF));
      return true;
    }
  }
  AppendFourByte(out, kSupplementaryFirstIndex + static_cast<int>(c - 0x10000));
  return true;
}

}  // namespace

std::u16string Decode(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char b1 = at(i);
    if (b1 < 0x80) {
      out.push_back(b1);
      ++i;
      continue;
    }
    char32_t c = 0;
    std::size_t length = 1;  // of the code starting here
    if (IsLead(b1) && i + 1 < bytes.size()) {
      const unsigned char b2 = at(i + 1);
      if (int trail = TrailIndex(b2); trail >= 0) {
        c = FromTwoByte(b1, trail);
        length = 2;
      } else if (IsDigit(b2) && i + 3 < bytes.size() && IsLead(at(i + 2)) && IsDigit(at(i + 3))) {
        const int linear =
            ((b1 - 0x81) * 10 + (b2 - 0x30)) * 1260 + (at(i + 2) - 0x81) * 10 + (at(i + 3) - 0x30);
        c = FromFourByteIndex(linear);
        length = 4;
      }
    }
    // A code of the right shape without a character is replaced whole; a stray byte alone.
    AppendUtf16(out, c == 0 ? kReplacement : c);
    i += length;
  }
  return out;
}

char32_t CodePointAt(std::u16string_view utf16, std::size_t& i) {
  const char32_t c = utf16[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
      utf16[i + 1] <= 0xDFFF) {
    ++i;
    return 0x10000 + ((c - 0xD800) << 10) + (utf16[i] - 0xDC00);
  }
  return c >= 0xD800 && c <= 0xDFFF ? kReplacement : c;
}

std::string Encode(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 2);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char32_t c = CodePointAt(utf16, i);
    if (!AppendCharacter(out, c))
      AppendCharacter(out, kReplacement);
  }
  return out;
}

}  // namespace gb18030
