#include "convert/text.h"

#include <gtest/gtest.h>

#include "tests/unit/case_name.h"

namespace {

struct CutCase {
  const char* name;
  std::string_view text;
  long start;  // TextMiddle only
  long count;
  std::string_view left;
  std::string_view right;
  std::string_view middle;
};

class TextCutTest : public testing::TestWithParam<CutCase> {};

TEST_P(TextCutTest, CutsPlainBytes) {
  const CutCase& c = GetParam();
  EXPECT_EQ(TextLeft(c.text, c.count), c.left);
  EXPECT_EQ(TextRight(c.text, c.count), c.right);
  EXPECT_EQ(TextMiddle(c.text, c.start, c.count), c.middle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextCutTest,
    testing::Values(CutCase{"InsideTheText", "abcdef", 2, 3, "abc", "def", "bcd"},
                    CutCase{"CountZero", "abcdef", 2, 0, "", "", ""},
                    CutCase{"CountNegative", "abcdef", 2, -33, "", "", ""},
                    CutCase{"CountBeyondTheEnd", "abcdef", 5, 9, "abcdef", "abcdef", "ef"},
                    CutCase{"CountEqualToLength", "abcdef", 1, 6, "abcdef", "abcdef", "abcdef"},
                    CutCase{"StartZero", "abcdef", 0, 2, "ab", "ef", ""},
                    CutCase{"StartNegative", "abcdef", -1, 2, "ab", "ef", ""},
                    CutCase{"StartAtLastByte", "abcdef", 6, 2, "ab", "ef", "f"},
                    CutCase{"StartBeyondTheEnd", "abcdef", 7, 2, "ab", "ef", ""},
                    CutCase{"EmptyText", "", 1, 3, "", "", ""},
                    // 真假 is D5 E6 BC D9: plain byte counts cut a character in half.
                    CutCase{"HalvesADoubleByteCharacter", "\xD5\xE6\xBC\xD9", 2, 1, "\xD5", "\xD9",
                            "\xE6"}),
    kCaseName);

TEST(TextLengthTest, CountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("abc"), 3);
  EXPECT_EQ(TextLength("\xD5\xE6"), 2);          // 真
  EXPECT_EQ(TextLength("\x81\x30\x81\x30"), 4);  // a four-byte GB18030 character
}

struct FindCase {
  const char* name;
  std::string_view searched;
  std::string_view sought;
  long start;
  long expected;
};

class FindTextTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, FindsTheFirstOccurrenceFromTheStart) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindText(c.searched, c.sought, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    testing::Values(
        FindCase{"AtTheFirstByte", "/ab", "/", 1, 1},
        FindCase{"FirstOfSeveral", "a/b/c", "/", 1, 2},
        FindCase{"FromAStartPosition", "a/b/c", "/", 3, 4},
        FindCase{"AtTheStartPosition", "a/b/c", "/", 4, 4},
        FindCase{"StartZeroIsOne", "/ab", "/", 0, 1},
        FindCase{"StartNegativeIsOne", "/ab", "/", -5, 1},
        FindCase{"StartAtTheLastByte", "ab/", "/", 3, 3},
        FindCase{"StartBeyondTheEnd", "ab/", "/", 4, -1}, FindCase{"NotThere", "abc", "/", 1, -1},
        FindCase{"InTheEmptyText", "", "/", 1, -1}, FindCase{"CaseSensitive", "ABC", "b", 1, -1},
        FindCase{"LongerSought", "a/b/c", "b/c", 1, 3},
        FindCase{"SoughtLongerThanTheRest", "abcab", "abc", 3, -1},
        FindCase{"SoughtLongerThanTheText", "ab", "abc", 1, -1},
        // After a failed high-bit candidate the next one is two bytes on.
        FindCase{"DoubleByteCharacterBeforeTheTarget", "\xD5\xE6/", "/", 1, 3},
        FindCase{"TrailByteIsNeverACandidate", "\x81/x/", "/", 1, 4},
        FindCase{"TrailByteMatchesOnlyWhenStartedThere", "\x81/x/", "/", 2, 2},
        FindCase{"FindsADoubleByteCharacter", "a\xBC\xD9\xD5\xE6", "\xD5\xE6", 1, 4},
        FindCase{"DoubleByteCharacterNotSplitAcross", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 1, -1},
        FindCase{"LeadByteAtTheVeryEndEndsTheSearch", "ab\xD5", "x", 1, -1},
        FindCase{"LeadByteAtTheVeryEndIsStillCompared", "ab\xD5", "\xD5", 1, 3},
        FindCase{"SkipLandsPastTheEnd", "\xD5\xE6\xD5", "/", 1, -1}),
    kCaseName);

TEST(FindTextTest, StartsAtTheFirstByteWhenTheStartIsLeftOut) {
  EXPECT_EQ(FindText("?a?", "?"), 1);
}

TEST(TextEqualsTest, ComparesBytesExactly) {
  EXPECT_TRUE(TextEquals("", ""));
  EXPECT_TRUE(TextEquals("\xD5\xE6", "\xD5\xE6"));
  EXPECT_FALSE(TextEquals("\xD5\xE6", "\xBC\xD9"));
  EXPECT_FALSE(TextEquals("abc", "ABC"));
  EXPECT_FALSE(TextEquals("abc", "abc "));
  EXPECT_FALSE(TextEquals("", " "));
}

TEST(JoinTextsTest, JoinsInOrderAndSkipsEmptyParts) {
  EXPECT_EQ(JoinTexts({}), "");
  EXPECT_EQ(JoinTexts({"a"}), "a");
  EXPECT_EQ(JoinTexts({"ab", "", "c", "\xD5\xE6", ""}), "abc\xD5\xE6");
}

}  // namespace
