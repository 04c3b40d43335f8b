#include "settings/ini.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/case_name.h"

namespace {

struct LookupCase {
  const char* name;
  std::string_view file;
  std::string_view section;
  std::string_view key;
  std::optional<std::string_view> value;
};

class IniLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(IniLookupTest, FindsTheValue) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(IniLookup(c.file, c.section, c.key), c.value);
}

// As the Windows profile functions write it.
constexpr std::string_view kWindowsFile =
    "[KTB]\r\nb=https://www.bilibili.com/video/BV1xx411c7mD?a=b&c=d\r\n"
    "[KTBP]\r\nbpxzk=\xD5\xE6\r\nbp=12\r\n[KTX]\r\nx=\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniLookupTest,
    testing::Values(
        LookupCase{"WindowsFileFirstSection", kWindowsFile, "KTB", "b",
                   "https://www.bilibili.com/video/BV1xx411c7mD?a=b&c=d"},
        LookupCase{"WindowsFileDoubleByteValue", kWindowsFile, "KTBP", "bpxzk", "\xD5\xE6"},
        LookupCase{"WindowsFileSecondKey", kWindowsFile, "KTBP", "bp", "12"},
        LookupCase{"WindowsFileEmptyValue", kWindowsFile, "KTX", "x", ""},
        LookupCase{"WindowsFileMissingKey", kWindowsFile, "KTX", "y", std::nullopt},
        LookupCase{"WindowsFileKeyOfAnotherSection", kWindowsFile, "KTB", "bp", std::nullopt},
        LookupCase{"MissingSection", kWindowsFile, "KTQ", "b", std::nullopt},
        LookupCase{"EmptyFile", "", "KTB", "b", std::nullopt},
        LookupCase{"NamesIgnoreAsciiCase", "[ktb]\nB=v\n", "KTB", "b", "v"},
        LookupCase{"DoubleByteNamesMatchExactly", "[\xB0\x41]\nb=v\n", "\xB0\x61", "b",
                   std::nullopt},
        LookupCase{"ValueAfterTheFirstEquals", "[s]\nb=x=y==z\n", "s", "b", "x=y==z"},
        LookupCase{"ValueKeepsItsBlanks", "[s]\nb=  x  \n", "s", "b", "  x  "},
        LookupCase{"BlanksAroundNames", "  [ s ]  \n\t b \t=v\n", "s", "b", "v"},
        LookupCase{"LastLineWithoutLineEnd", "[s]\nb=v", "s", "b", "v"},
        LookupCase{"KeyBeforeAnySection", "b=v\n[s]\n", "s", "b", std::nullopt},
        LookupCase{"LineWithoutEquals", "[s]\nb\nb=v\n", "s", "b", "v"},
        LookupCase{"FirstOfTwoKeys", "[s]\nb=1\nb=2\n", "s", "b", "1"},
        LookupCase{"KeyInRepeatedSection", "[s]\na=1\n[t]\nb=2\n[s]\nb=3\n", "s", "b", "3"},
        LookupCase{"KeyThatLooksLikeASection", "[s]\n[t]=1\n", "s", "[t]", std::nullopt}),
    kCaseName);

struct AssignCase {
  const char* name;
  std::string_view file;
  std::string_view section;
  std::string_view key;
  std::string_view value;
  std::string_view expected;
};

class IniAssignTest : public testing::TestWithParam<AssignCase> {};

TEST_P(IniAssignTest, SetsTheKeyAndKeepsTheRest) {
  const AssignCase& c = GetParam();
  const std::string file = IniAssign(c.file, c.section, c.key, c.value, "\n");
  EXPECT_EQ(file, c.expected);
  Text readBack(c.value);
  for (char& byte : readBack) {
    if (byte == '\r' || byte == '\n')
      byte = ' ';
  }
  EXPECT_EQ(IniLookup(file, c.section, c.key), readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniAssignTest,
    testing::Values(AssignCase{"CreatesTheFile", "", "KTB", "b", "v", "[KTB]\nb=v\n"},
                    AssignCase{"ReplacesInPlace", "[s]\na=1\nb=old\nc=3\n", "s", "b", "new",
                               "[s]\na=1\nb=new\nc=3\n"},
                    AssignCase{"KeepsTheFileSpelling", "[S]\r\n B =old\r\n", "s", "b", "new",
                               "[S]\r\n B =new\r\n"},
                    AssignCase{"AddsAKeyAtTheEndOfItsSection", "[s]\na=1\n\n[t]\nx=2\n", "s", "b",
                               "v", "[s]\na=1\nb=v\n\n[t]\nx=2\n"},
                    AssignCase{"AddsAKeyToAnEmptySection", "[s]\n[t]\nx=2\n", "s", "b", "v",
                               "[s]\nb=v\n[t]\nx=2\n"},
                    AssignCase{"AddsASection", "[s]\na=1\n", "t", "b", "v", "[s]\na=1\n[t]\nb=v\n"},
                    AssignCase{"KeepsWindowsLineEnds", "[s]\r\na=1\r\n", "t", "b", "v",
                               "[s]\r\na=1\r\n[t]\r\nb=v\r\n"},
                    AssignCase{"EndsAnUnfinishedLastLine", "[s]\na=1", "s", "b", "v",
                               "[s]\na=1\nb=v\n"},
                    AssignCase{"EmptyValue", "[s]\nb=old\n", "s", "b", "", "[s]\nb=\n"},
                    AssignCase{"ValueWithEqualsAndQuery", "", "s", "b", "https://a.b/?x=1&y=2",
                               "[s]\nb=https://a.b/?x=1&y=2\n"},
                    // A line break would end the line: "[t]" would become a section of its own.
                    AssignCase{"LineBreaksBecomeSpaces", "[s]\nb=old\n", "s", "b", "a\r\n[t]\nx=1",
                               "[s]\nb=a  [t] x=1\n"}),
    kCaseName);

}  // namespace
