// Hostile text typed or pasted into the boxes, through the whole program: it cannot break out of
// the snippet's src attribute or split a link, and a 1 MB paste goes through every command.
#include "tests/commands/program_fixture.h"
#include "ui/texts.h"

namespace {

using enum Control;

const std::string kBPrefix = "https://www.bilibili.com/video/";
const std::string kXPrefix = "https://www.ixigua.com/";

// The snippet is the head, one link and the tail: nothing in the link ends the attribute, opens
// a tag or starts another attribute.
void ExpectOneSrc(const std::string& snippet, const std::string& linkStart) {
  ASSERT_TRUE(snippet.starts_with(kSnippetHead)) << snippet;
  ASSERT_TRUE(snippet.ends_with(kSnippetTail)) << snippet;
  const std::string link = snippet.substr(
      kSnippetHead.size(), snippet.size() - kSnippetHead.size() - kSnippetTail.size());
  EXPECT_TRUE(link.starts_with(linkStart)) << link;
  EXPECT_EQ(link.find_first_of("\"'<> \t\r\n"), std::string::npos) << link;
}

class HostileInput : public ProgramTest {};

TEST_F(HostileInput, QuotesAndAngleBracketsStayInsideTheSnippetsSrc) {
  struct Case {
    const char* name;
    bool b;
    std::string address;
    std::string part;  // pasted into the part box with the switch on; B only
  };
  const Case cases[] = {
      {"closing quote and a script tag", true, kBPrefix + "BV1xx\"><script>alert(1)</script>", ""},
      {"an event attribute", true, kBPrefix + "BV1xx411c7mD\"onload=\"alert(1)", ""},
      {"single quotes and a tag", true, kBPrefix + "BV1'><img src=x onerror=alert(1)>", ""},
      {"a quote in the part box", true, kBPrefix + "BV1xx411c7mD", "\">"},
      {"an angle bracket in the part box", true, kBPrefix + "BV1xx411c7mD", "<s"},
      {"a quote after a double-byte character", true, kBPrefix + "\xD5\xE6\xD5\xE6\"><b onclick=x>",
       ""},
      {"X: closing quote and a tag", false, kXPrefix + "7012345678901234567\"><iframe src=x>", ""},
      {"X: a lone lead byte before the quote", false, kXPrefix + "70123456789012345\xFE\"<", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ConfigPath());
    fake::SetClipboard("");
    Run([&] {
      if (c.b) {
        Fill(编辑框1, c.address);
        if (!c.part.empty()) {
          Click(选择框3);
          Fill(编辑框5, c.part);
          ASSERT_EQ(TextOf(编辑框5), c.part);
        }
        Click(按钮9);
      } else {
        Click(按钮13);
        Fill(编辑框4, c.address);
        Click(按钮10);
      }
      const std::string snippet = TextOf(编辑框7);
      ExpectOneSrc(snippet, c.b ? "https://player.bilibili.com/player.html?bvid="
                                : "https://www.ixigua.com/iframe/");
      Click(按钮12);
      EXPECT_EQ(fake::Clipboard(), snippet);
      // Saved as typed all the same.
      EXPECT_EQ(Saved(c.b ? "KTB" : "KTX", c.b ? "b" : "x"), c.address);
    });
  }
}

TEST_F(HostileInput, KeywordsAndAddressesHandTheBrowserOneWholeLink) {
  const std::string keyword = "a b\"c'd<e>f&g=h#i?j;k|l`m$(n)\\o%p\r\nq";
  Run([&] {
    Fill(编辑框2, keyword);
    Click(按钮3);
    Fill(编辑框1, kBPrefix + "BV1xx411c7mD;rm -rf ~ `x` $(y)|z");
    Click(按钮1);
    Click(按钮13);
    Fill(编辑框3, keyword);
    Click(按钮6);
  });
  const std::vector<Text> expected = {
      "https://search.bilibili.com/all?keyword="
      "a%20b%22c%27d%3Ce%3Ef%26g%3Dh%23i%3Fj%3Bk%7Cl%60m%24%28n%29%5Co%25p%0D%0Aq",
      "https://player.bilibili.com/player.html?bvid="
      "BV1xx411c7mD%3Brm&danmaku=0&autoplay=1",
      "https://www.ixigua.com/search/"
      "a%20b%22c%27d%3Ce%3Ef%26g%3Dh%23i%3Fj%3Bk%7Cl%60m%24%28n%29%5Co%25p%0D%0Aq",
  };
  EXPECT_EQ(fake::OpenedLinks(), expected);
}

// A whole megabyte pasted into an address box: every command that touches it finishes, and the
// next start shows the megabyte again.
TEST_F(HostileInput, AMegabytePastedIntoAnAddressBox) {
  struct Case {
    const char* name;
    std::string address;
    std::string linkStart;
    size_t idSize;
  };
  const std::string megabyte(1024 * 1024, 'A');
  const Case cases[] = {
      {"B, the megabyte in the query", kBPrefix + "BV1xx411c7mD?" + megabyte,
       "https://player.bilibili.com/player.html?bvid=BV1xx411c7mD&", 12},
      {"B, the megabyte as the id", kBPrefix + megabyte,
       "https://player.bilibili.com/player.html?bvid=AAAA", megabyte.size()},
      {"X, the megabyte as the id", kXPrefix + megabyte, "https://www.ixigua.com/iframe/AAAA",
       megabyte.size()},
      {"not an address", std::string(1024 * 1024, '\xD5'), "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ConfigPath());
    fake::ForgetOpenedLinks();
    const bool b = c.address.starts_with(kBPrefix) || c.linkStart.empty();
    const Control box = b ? 编辑框1 : 编辑框4;
    Run([&] {
      Click(按钮13);
      Fill(box, c.address);
      Click(b ? 按钮1 : 按钮8);
      Click(b ? 按钮9 : 按钮10);
      if (c.linkStart.empty()) {
        EXPECT_EQ(Caption(), Gb("Tivarel-核对视频地址是否正确"));
        EXPECT_TRUE(fake::OpenedLinks().empty());
        return;
      }
      ASSERT_EQ(fake::OpenedLinks().size(), 1u);
      EXPECT_TRUE(fake::OpenedLinks()[0].starts_with(c.linkStart));
      EXPECT_EQ(TextOf(编辑框6).size(), c.idSize);
      ExpectOneSrc(TextOf(编辑框7), c.linkStart.substr(0, c.linkStart.size() - 1));
      Click(按钮12);
      Click(按钮11);
    });
    Run([&] { EXPECT_EQ(TextOf(box), c.linkStart.empty() ? "" : c.address); });
  }
}

}  // namespace
