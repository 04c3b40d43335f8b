#include "convert/address.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/case_name.h"

namespace {

enum class Site { B, X };

struct AddressCase {
  const char* name;
  Site site;
  std::string address;
  bool accepted;
  std::string id;  // only for accepted addresses
};

const std::string kB = "https://www.bilibili.com/video/";  // 31 bytes
const std::string kBId = "BV1xx411c7mD";                   // 12 bytes
const std::string kX = "https://www.ixigua.com/";          // 23 bytes
const std::string kXId = "7012345678901234567";            // 19 bytes

class AddressTest : public testing::TestWithParam<AddressCase> {};

TEST_P(AddressTest, AcceptsAndCutsOutTheId) {
  const AddressCase& c = GetParam();
  const bool isB = c.site == Site::B;
  const bool accepted = isB ? IsBVideoAddress(c.address) : IsXVideoAddress(c.address);
  ASSERT_EQ(accepted, c.accepted);
  if (accepted) {
    EXPECT_EQ(isB ? ExtractBVideoId(c.address) : ExtractXVideoId(c.address), c.id);
  }
}

INSTANTIATE_TEST_SUITE_P(
    B, AddressTest,
    testing::Values(
        AddressCase{"ShortForm", Site::B, kB + kBId, true, kBId},
        AddressCase{"Slash", Site::B, kB + kBId + "/", true, kBId},
        AddressCase{"SlashAndMore", Site::B, kB + kBId + "/?p=2&t=30", true, kBId},
        AddressCase{"Query", Site::B, kB + kBId + "?p=2", true, kBId},
        AddressCase{"QueryHoldingASlash", Site::B, kB + kBId + "?from=https://a.b/c", true, kBId},
        AddressCase{"Fragment", Site::B, kB + kBId + "#reply", true, kBId},
        AddressCase{"TrailingSpace", Site::B, kB + kBId + " ", true, kBId},
        AddressCase{"TrailingTab", Site::B, kB + kBId + "\t", true, kBId},
        AddressCase{"TrailingLineBreak", Site::B, kB + kBId + "\r\n", true, kBId},
        AddressCase{"TrailingNewLine", Site::B, kB + kBId + "\n", true, kBId},
        AddressCase{"LongIdRunsToTheEnd", Site::B, kB + kBId + "X", true, kBId + "X"},
        AddressCase{"EarliestEndWins", Site::B, kB + kBId + "#a?b/c", true, kBId},
        // The first two bytes of the id are never its end.
        AddressCase{"SlashAtPosition32", Site::B, kB + "/" + kBId + "/", true, "/" + kBId},
        AddressCase{"QueryAtPosition33", Site::B, kB + "B?" + kBId + "/", true, "B?" + kBId},
        AddressCase{"EndAtPosition34", Site::B, kB + "BV/" + kBId, true, "BV"},
        // 真 at 33 and 34: the search starting on its second byte still sees the "/" at 35.
        AddressCase{"EndRightAfterACharacterAcross34", Site::B, kB + "B\xD5\xE6/" + kBId, true,
                    "B\xD5\xE6"},
        // Exactly 43 bytes: the last 12, whatever they are.
        AddressCase{"ShortFormEndingInSlash", Site::B, kB + "BV1xx411c7m/", true, "BV1xx411c7m/"},
        AddressCase{"ShortFormWithQuery", Site::B, kB + "BV1xx4?p=2&x", true, "BV1xx4?p=2&x"},
        AddressCase{"TooShort", Site::B, kB + "BV1xx411c7m", false, ""},
        AddressCase{"PrefixOnly", Site::B, kB, false, ""},
        AddressCase{"Empty", Site::B, "", false, ""},
        // A two-byte character counts 2: 10 + 2 bytes is a short form, 9 + 2 is too short.
        AddressCase{"DoubleByteCharacterInShortForm", Site::B, kB + "BV1xx411c7\xD5\xE6", true,
                    "BV1xx411c7\xD5\xE6"},
        AddressCase{"DoubleByteCharacterTooShort", Site::B, kB + "BV1xx411c\xD5\xE6", false, ""},
        AddressCase{"NonAsciiIdPasses", Site::B, kB + "\xD5\xE6\xBC\xD9\xD5\xE6\xBC\xD9-_.!*()/x",
                    true, "\xD5\xE6\xBC\xD9\xD5\xE6\xBC\xD9-_.!*()"},
        AddressCase{"OtherScheme", Site::B, "http://www.bilibili.com/video/" + kBId + "/", false,
                    ""},
        AddressCase{"UpperCaseScheme", Site::B, "HTTPS://www.bilibili.com/video/" + kBId, false,
                    ""},
        AddressCase{"UpperCaseHost", Site::B, "https://www.Bilibili.com/video/" + kBId, false, ""},
        AddressCase{"UpperCasePath", Site::B, "https://www.bilibili.com/Video/" + kBId, false, ""},
        AddressCase{"OtherHost", Site::B, "https://m.bilibili.com/video/" + kBId + "/", false, ""},
        AddressCase{"LeadingSpace", Site::B, " " + kB + kBId, false, ""},
        AddressCase{"XAddress", Site::B, kX + kXId + "/abcdef", false, ""}),
    kCaseName);

INSTANTIATE_TEST_SUITE_P(
    X, AddressTest,
    testing::Values(
        AddressCase{"ShortForm", Site::X, kX + kXId, true, kXId},
        AddressCase{"Query", Site::X, kX + kXId + "?logTag=abc", true, kXId},
        AddressCase{"QueryHoldingASlash", Site::X, kX + kXId + "?from=https://a.b/c", true, kXId},
        AddressCase{"Slash", Site::X, kX + kXId + "/", true, kXId},
        AddressCase{"SlashThenQuery", Site::X, kX + kXId + "/?wid_try=1", true, kXId},
        AddressCase{"Fragment", Site::X, kX + kXId + "#top", true, kXId},
        AddressCase{"TrailingSpace", Site::X, kX + kXId + " ", true, kXId},
        AddressCase{"TrailingLineBreak", Site::X, kX + kXId + "\r\n", true, kXId},
        AddressCase{"TrailingTab", Site::X, kX + kXId + "\t", true, kXId},
        AddressCase{"LongIdRunsToTheEnd", Site::X, kX + kXId + "8", true, kXId + "8"},
        AddressCase{"QueryRightAfterThePrefix", Site::X, kX + "?" + kXId, true, ""},
        AddressCase{"SlashRightAfterThePrefix", Site::X, kX + "/" + kXId, true, ""},
        // Exactly 42 bytes: the last 19, whatever they are.
        AddressCase{"ShortFormEndingInSlash", Site::X, kX + "701234567890123456/", true,
                    "701234567890123456/"},
        AddressCase{"TooShort", Site::X, kX + "701234567890123456", false, ""},
        AddressCase{"Empty", Site::X, "", false, ""},
        AddressCase{"DoubleByteCharacterInShortForm", Site::X, kX + "70123456789012345\xD5\xE6",
                    true, "70123456789012345\xD5\xE6"},
        AddressCase{"DoubleByteCharacterTooShort", Site::X, kX + "7012345678901234\xD5\xE6", false,
                    ""},
        AddressCase{"OtherScheme", Site::X, "http://www.ixigua.com/" + kXId + "/", false, ""},
        AddressCase{"UpperCaseHost", Site::X, "https://www.IXIGUA.com/" + kXId, false, ""},
        AddressCase{"OtherHost", Site::X, "https://m.ixigua.com/" + kXId + "/x", false, ""},
        AddressCase{"LeadingSpace", Site::X, " " + kX + kXId, false, ""},
        AddressCase{"BAddress", Site::X, kB + kBId, false, ""}),
    kCaseName);

}  // namespace
