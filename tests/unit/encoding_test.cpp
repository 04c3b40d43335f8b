#include "platform/encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/case_name.h"
#include "ui/texts.h"

namespace {

// GB18030 bytes and the same characters in UTF-8 and UTF-16.
struct Spelling {
  const char* name;
  std::string_view text;
  std::string_view utf8;
  std::u16string_view utf16;
};

class EncodingRoundTripTest : public testing::TestWithParam<Spelling> {};

TEST_P(EncodingRoundTripTest, ConvertsBothWays) {
  const Spelling& s = GetParam();
  EXPECT_EQ(Utf8FromText(s.text), s.utf8);
  EXPECT_EQ(TextFromUtf8(s.utf8), s.text);
  EXPECT_EQ(Utf16FromText(s.text), s.utf16);
  EXPECT_EQ(TextFromUtf16(s.utf16), s.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingRoundTripTest,
    testing::Values(Spelling{"Empty", "", "", u""},
                    Spelling{"Ascii", "https://a.b/c?d=1&e", "https://a.b/c?d=1&e",
                             u"https://a.b/c?d=1&e"},
                    Spelling{"Gbk", "\xD5\xE6\xBC\xD9", "真假", u"真假"},
                    Spelling{"Mixed", "C# \xBD\xCC\xB3\xCC", "C# 教程", u"C# 教程"},
                    // Outside GBK: four-byte GB18030 forms, in and beyond the basic plane.
                    Spelling{"EuroSign", "\xA2\xE3", "€", u"€"},
                    Spelling{"FourByteBasicPlane", "\x81\x30\x81\x30", "\u0080", u"\u0080"},
                    Spelling{"Emoji", "\x94\x39\xFC\x36", "😀", u"😀"},
                    Spelling{"ReplacementCharacter", "\x84\x31\xA4\x37", "\uFFFD", u"\uFFFD"}),
    kCaseName);

// Each byte that forms no character becomes U+FFFD; what follows is still converted.
class MalformedTextTest : public testing::TestWithParam<Spelling> {};

TEST_P(MalformedTextTest, BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8FromText(GetParam().text), GetParam().utf8);
  EXPECT_EQ(Utf16FromText(GetParam().text), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedTextTest,
    testing::Values(Spelling{"LoneLeadByteAtTheEnd", "ab\xD5", "ab\uFFFD", u"ab\uFFFD"},
                    Spelling{"LeadByteBeforeAscii", "\xD5/x", "\uFFFD/x", u"\uFFFD/x"},
                    Spelling{"ByteNeverALead", "a\x80z\xFF", "a\uFFFDz\uFFFD", u"a\uFFFDz\uFFFD"},
                    Spelling{"CutFourByteForm", "\x81\x30\x81", "\uFFFD0\uFFFD", u"\uFFFD0\uFFFD"},
                    Spelling{"GoodCharacterAfterBadByte", "\x80\xD5\xE6", "\uFFFD真", u"\uFFFD真"},
                    Spelling{"UnassignedFourByteForm", "a\x84\x31\xA5\x30z", "a\uFFFDz",
                             u"a\uFFFDz"}),
    kCaseName);

struct MalformedCase {
  const char* name;
  std::string_view input;
  std::string_view output;
};

class MalformedUtf8Test : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedUtf8Test, BecomesReplacementCharacters) {
  EXPECT_EQ(TextFromUtf8(GetParam().input), GetParam().output);
}

// U+FFFD in GB18030 is 84 31 A4 37.
INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedUtf8Test,
    testing::Values(
        MalformedCase{"LoneContinuationByte", "a\x80z", "a\x84\x31\xA4\x37z"},
        MalformedCase{"CutSequenceAtTheEnd", "\xE7\x9C", "\x84\x31\xA4\x37\x84\x31\xA4\x37"},
        MalformedCase{"CutSequenceBeforeAscii", "\xE7\x9Cz", "\x84\x31\xA4\x37\x84\x31\xA4\x37z"},
        MalformedCase{"OverlongSlash", "\xC0\xAF", "\x84\x31\xA4\x37\x84\x31\xA4\x37"},
        MalformedCase{"EncodedSurrogate", "\xED\xA0\x80",
                      "\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37"},
        MalformedCase{"ByteFF", "\xFF\xE7\x9C\x9F", "\x84\x31\xA4\x37\xD5\xE6"}),
    kCaseName);

TEST(MalformedUtf16Test, LoneSurrogatesBecomeReplacementCharacters) {
  const std::u16string loneHigh = {u'a', char16_t(0xD83D), u'b'};
  const std::u16string loneLowAtTheEnd = {u'\u771F', char16_t(0xDE00)};
  EXPECT_EQ(TextFromUtf16(loneHigh),
            "a\x84\x31\xA4\x37"
            "b");
  EXPECT_EQ(TextFromUtf16(loneLowAtTheEnd), "\xD5\xE6\x84\x31\xA4\x37");
}

// A wrong escape byte in the program's fixed texts shows here.
TEST(FixedTextsTest, MatchTheirUtf8Spelling) {
  const struct {
    std::string_view text;
    std::string_view utf8;
  } texts[] = {
      {kCaptionNormal, "Tivarel"},
      {kCaptionBadAddress, "Tivarel-核对视频地址是否正确"},
      {kCaptionCopied, "Tivarel-已复制到剪贴板"},
      {kExpandCaption, "展开↓"},
      {kCollapseCaption, "收起↑"},
      {kSwitchOn, "真"},
      {kSwitchOff, "假"},
      {kTextHomePage, "浏览主页"},
      {kTextCopy, "复制"},
      {kTextClose, "关闭"},
      {kTextMakeXSnippet, "X生成iframe"},
      {kTextMakeBSnippet, "B生成iframe"},
      {kTextPartSwitch, "专辑P:"},
      {kTextXSearch, "X网站搜索："},
      {kTextClear, "清空"},
      {kTextSearch, "搜索"},
      {kTextOpen, "打开"},
      {kTextXAddress, "X视频网址："},
      {kTextBSearch, "B网站搜索："},
      {kTextPin, "置顶"},
      {kTextBAddress, "B视频网址："},
  };
  for (const auto& t : texts)
    EXPECT_EQ(t.text, TextFromUtf8(t.utf8)) << t.utf8;
}

}  // namespace
