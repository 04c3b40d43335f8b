// The GB18030 codec of the Windows build against the C library's iconv, which the Linux build
// uses: both must turn the same bytes into the same characters.
#include "platform/win32/gb18030.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // nullopt when iconv refuses the input.
  std::optional<std::string> Convert(std::string_view input) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(input.size() * 4 + 8, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* at = out.data();
    size_t outLeft = out.size();
    if (iconv(cd_, &in, &inLeft, &at, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
      return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  iconv_t cd_;
};

std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                        static_cast<unsigned char>(bytes[i + 1]) << 8));
  return out;
}

std::string ToUtf16Le(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string FourByte(int linear) {
  return {static_cast<char>(0x81 + linear / 12600), static_cast<char>(0x30 + linear / 1260 % 10),
          static_cast<char>(0x81 + linear / 10 % 126), static_cast<char>(0x30 + linear % 10)};
}

const std::u16string kReplacement = u"\uFFFD";
const std::string kReplacementCode = "\x84\x31\xA4\x37";

// Every code iconv reads, the codec reads alike; every code iconv refuses becomes one U+FFFD.
TEST(Gb18030AgainstIconv, EveryTwoAndFourByteCodeOfTheBasicPlaneDecodesAlike) {
  Iconv decoder("UTF-16LE", "GB18030");
  std::string codes[2];
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail != 0x7F)
        codes[0].push_back(static_cast<char>(lead)), codes[0].push_back(static_cast<char>(trail));
    }
  }
  for (int linear = 0; linear < 39420; ++linear)
    codes[1] += FourByte(linear);
  for (const std::string& all : codes) {
    const size_t width = &all == &codes[0] ? 2 : 4;
    int differences = 0;
    for (size_t i = 0; i < all.size() && differences < 10; i += width) {
      const std::string_view code(all.data() + i, width);
      const std::optional<std::string> expected = decoder.Convert(code);
      const std::u16string got = gb18030::Decode(code);
      if (got != (expected ? FromUtf16Le(*expected) : kReplacement)) {
        ++differences;
        ADD_FAILURE() << "code at " << i / width << " decodes differently";
      }
    }
  }
}

TEST(Gb18030AgainstIconv, EveryCharacterEncodesAlike) {
  Iconv encoder("GB18030", "UTF-16LE");
  int differences = 0;
  for (char32_t c = 0; c <= 0x10FFFF && differences < 10; c += c < 0x10000 ? 1 : 97) {
    if (c >= 0xD800 && c <= 0xDFFF)
      continue;
    std::u16string text;
    if (c < 0x10000) {
      text.push_back(static_cast<char16_t>(c));
    } else {
      text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
    const std::optional<std::string> expected = encoder.Convert(ToUtf16Le(text));
    const std::string got = gb18030::Encode(text);
    // Characters iconv cannot encode (a few private-use ones) become the code of U+FFFD.
    if (got != expected.value_or(kReplacementCode)) {
      ++differences;
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << " encodes differently";
    }
    if (expected && gb18030::Decode(got) != text) {
      ++differences;
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << " does not read back";
    }
  }
}

struct Malformed {
  const char* name;
  std::string_view bytes;
  std::u16string_view characters;
};

class Gb18030Malformed : public testing::TestWithParam<Malformed> {};

// A code of the right shape without a character is replaced whole, a stray byte by itself.
TEST_P(Gb18030Malformed, BecomesReplacementCharacters) {
  EXPECT_EQ(gb18030::Decode(GetParam().bytes), GetParam().characters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Gb18030Malformed,
    testing::Values(Malformed{"LeadAtTheEnd", "ab\xD5", u"ab\uFFFD"},
                    Malformed{"LeadBeforeAscii", "\xD5/x", u"\uFFFD/x"},
                    Malformed{"NeverALead", "a\x80z\xFF", u"a\uFFFDz\uFFFD"},
                    Malformed{"CutFourByteCode", "\x81\x30\x81", u"\uFFFD0\uFFFD"},
                    Malformed{"BeyondTheBasicPlaneTable", "\x84\x31\xA5\x30", u"\uFFFD"},
                    Malformed{"BeyondU10FFFF", "\xE3\x32\x9A\x36", u"\uFFFD"},
                    Malformed{"BetweenThePlanes", "\x85\x30\x81\x30", u"\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gb18030Encode, LoneSurrogatesBecomeTheReplacementCode) {
  const std::u16string text = {u'a', char16_t(0xDC00), char16_t(0xD83D)};
  EXPECT_EQ(gb18030::Encode(text), "a" + kReplacementCode + kReplacementCode);
}

}  // namespace
