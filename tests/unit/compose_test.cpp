#include "convert/compose.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/percent_encoding.h"
#include "tests/unit/case_name.h"
#include "ui/texts.h"

namespace {

const std::string kHead(kSnippetHead);
const std::string kTail(kSnippetTail);

TEST(SnippetTextsTest, HeadAndTailHaveTheirDesignLengths) {
  EXPECT_EQ(kSnippetHead.size(), 13u);
  EXPECT_EQ(kSnippetTail.size(), 176u);
}

struct ComposeCase {
  const char* name;
  std::string composed;
  std::string expected;
};

class ComposeTest : public testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeTest, ComposesByteForByte) {
  EXPECT_EQ(GetParam().composed, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ordinary, ComposeTest,
    testing::Values(
        ComposeCase{
            "BPlayerLink", ComposeBPlayerLink("BV1xx411c7mD", std::nullopt),
            "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&danmaku=0&autoplay=1"},
        ComposeCase{"BPlayerLinkWithPart", ComposeBPlayerLink("BV1xx411c7mD", "3"),
                    "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&p=3&danmaku=0"
                    "&autoplay=1"},
        ComposeCase{"BPlayerLinkWithNegativePart", ComposeBPlayerLink("BV1xx411c7mD", "-5"),
                    "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&p=-5&danmaku=0"
                    "&autoplay=1"},
        ComposeCase{"XPlayerLink", ComposeXPlayerLink("7012345678901234567"),
                    "https://www.ixigua.com/iframe/7012345678901234567?autoplay=1"},
        ComposeCase{"BSearchLink", ComposeBSearchLink("abc"),
                    "https://search.bilibili.com/all?keyword=abc"},
        ComposeCase{"XSearchLink", ComposeXSearchLink("abc"), "https://www.ixigua.com/search/abc"},
        ComposeCase{"BSnippet", ComposeBEmbedSnippet(kHead, "BV1xx411c7mD", std::nullopt, kTail),
                    "<iframe src=\"https://player.bilibili.com/player.html?bvid=BV1xx411c7mD"
                    "&danmaku=0\" allowfullscreen=\"allowfullscreen\" width=\"720\" height=\"405\" "
                    "scrolling=\"no\" frameborder=\"0\" sandbox=\"allow-top-navigation "
                    "allow-same-origin allow-forms allow-scripts\"></iframe>"},
        ComposeCase{"BSnippetWithPart", ComposeBEmbedSnippet(kHead, "BV1xx411c7mD", "3", kTail),
                    "<iframe src=\"https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&p=3"
                    "&danmaku=0\" allowfullscreen=\"allowfullscreen\" width=\"720\" height=\"405\" "
                    "scrolling=\"no\" frameborder=\"0\" sandbox=\"allow-top-navigation "
                    "allow-same-origin allow-forms allow-scripts\"></iframe>"},
        ComposeCase{"XSnippet", ComposeXEmbedSnippet(kHead, "7012345678901234567", kTail),
                    "<iframe src=\"https://www.ixigua.com/iframe/7012345678901234567\" "
                    "allowfullscreen=\"allowfullscreen\" width=\"720\" height=\"405\" "
                    "scrolling=\"no\" frameborder=\"0\" sandbox=\"allow-top-navigation "
                    "allow-same-origin allow-forms allow-scripts\"></iframe>"}),
    kCaseName);

INSTANTIATE_TEST_SUITE_P(
    EmptyInputs, ComposeTest,
    testing::Values(
        ComposeCase{"BPlayerLinkEmptyId", ComposeBPlayerLink("", std::nullopt),
                    "https://player.bilibili.com/player.html?bvid=&danmaku=0&autoplay=1"},
        ComposeCase{"BPlayerLinkSwitchOnEmptyPart", ComposeBPlayerLink("BV1xx411c7mD", ""),
                    "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&p=&danmaku=0"
                    "&autoplay=1"},
        ComposeCase{"BPlayerLinkEmptyIdWithPart", ComposeBPlayerLink("", "2"),
                    "https://player.bilibili.com/player.html?bvid=&p=2&danmaku=0&autoplay=1"},
        ComposeCase{"XPlayerLinkEmptyId", ComposeXPlayerLink(""),
                    "https://www.ixigua.com/iframe/?autoplay=1"},
        ComposeCase{"BSearchLinkEmptyKeyword", ComposeBSearchLink(""),
                    "https://search.bilibili.com/all?keyword="},
        ComposeCase{"XSearchLinkEmptyKeyword", ComposeXSearchLink(""),
                    "https://www.ixigua.com/search/"},
        ComposeCase{"BSnippetEmptyIdEmptyPart", ComposeBEmbedSnippet(kHead, "", "", kTail),
                    kHead + "https://player.bilibili.com/player.html?bvid=&p=&danmaku=0" + kTail},
        ComposeCase{"XSnippetEmptyId", ComposeXEmbedSnippet(kHead, "", kTail),
                    kHead + "https://www.ixigua.com/iframe/" + kTail}),
    kCaseName);

// Hostile inputs are encoded, so they can neither cut a link short nor leave the src attribute.
INSTANTIATE_TEST_SUITE_P(
    HostileInputs, ComposeTest,
    testing::Values(
        // C# 教程 (GB18030 BD CC B3 CC): the "#" no longer ends the keyword.
        ComposeCase{"KeywordWithHashAndSpace", ComposeBSearchLink("C# \xBD\xCC\xB3\xCC"),
                    "https://search.bilibili.com/all?keyword=C%23%20\xBD\xCC\xB3\xCC"},
        ComposeCase{"KeywordWithAmpersand", ComposeXSearchLink("tom&jerry?x=1/2"),
                    "https://www.ixigua.com/search/tom%26jerry%3Fx%3D1%2F2"},
        ComposeCase{"KeywordWithPercent", ComposeBSearchLink("100%"),
                    "https://search.bilibili.com/all?keyword=100%25"},
        ComposeCase{"IdHoldingAQuery", ComposeBPlayerLink("BV1xx4?p=2&x", std::nullopt),
                    "https://player.bilibili.com/player.html?bvid=BV1xx4%3Fp%3D2%26x&danmaku=0"
                    "&autoplay=1"},
        ComposeCase{"PartWithQuoteAndTag",
                    ComposeBEmbedSnippet(kHead, "BV1xx411c7mD", "1\"><script>", kTail),
                    kHead +
                        "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD"
                        "&p=1%22%3E%3Cscript%3E&danmaku=0" +
                        kTail},
        ComposeCase{"PartWithAmpersand", ComposeBPlayerLink("BV1xx411c7mD", "2&autoplay=0"),
                    "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&p=2%26autoplay%3D0"
                    "&danmaku=0&autoplay=1"},
        ComposeCase{"IdWithQuoteInXSnippet", ComposeXEmbedSnippet(kHead, "7\" onload=\"x", kTail),
                    kHead + "https://www.ixigua.com/iframe/7%22%20onload%3D%22x" + kTail},
        ComposeCase{"IdWithApostropheAndLessThan", ComposeXPlayerLink("7'<b>"),
                    "https://www.ixigua.com/iframe/7%27%3Cb%3E?autoplay=1"}),
    kCaseName);

struct EncodeCase {
  const char* name;
  std::string_view text;
  std::string_view encoded;
};

class PercentEncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(PercentEncodeTest, EncodesAsciiBytesOutsideTheUnreservedSet) {
  EXPECT_EQ(PercentEncode(GetParam().text), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentEncodeTest,
    testing::Values(
        EncodeCase{"Empty", "", ""}, EncodeCase{"UnreservedKept", "AZaz09-._~", "AZaz09-._~"},
        EncodeCase{"Reserved", "!#$&'()*+,/:;=?@[]",
                   "%21%23%24%26%27%28%29%2A%2B%2C%2F%3A%3B%3D%3F%40%5B%5D"},
        EncodeCase{"OtherPrintable", " \"%<>\\^`{|}", "%20%22%25%3C%3E%5C%5E%60%7B%7C%7D"},
        EncodeCase{"ControlBytes", std::string_view("\x01\t\r\n\x1F\x7F", 6), "%01%09%0D%0A%1F%7F"},
        // GB18030 bytes stay, also a four-byte character whose second and fourth bytes are digits.
        EncodeCase{"HighBytesKept", "\xD5\xE6\x81\x30\x81\x30\xFF\x80",
                   "\xD5\xE6\x81\x30\x81\x30\xFF\x80"},
        // 這 is DF 40 and 乗 81 5C: a second byte in the ASCII range belongs to its character.
        EncodeCase{"SecondBytesInTheAsciiRangeKept", "\xDF\x40\x81\x5C", "\xDF\x40\x81\x5C"},
        EncodeCase{"AsciiAfterAWholeCharacterEncoded", "\xD5\xE6@\xD5\xE6|",
                   "\xD5\xE6%40\xD5\xE6%7C"},
        EncodeCase{"LeadByteWithoutSecondByte", "\x81\"<\x81", "\x81%22%3C\x81"}),
    kCaseName);

}  // namespace
