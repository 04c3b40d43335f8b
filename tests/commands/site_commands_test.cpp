// Open, search and clear for both sites, and the part switch.
#include "app/program_state.h"
#include "tests/commands/program_fixture.h"

namespace {

using enum Control;

constexpr char kB[] = "https://www.bilibili.com/video/BV1xx411c7mD";
constexpr char kX[] = "https://www.ixigua.com/7012345678901234567";
constexpr char kBPlayer[] = "https://player.bilibili.com/player.html?bvid=";
constexpr char kXPlayer[] = "https://www.ixigua.com/iframe/";

class SiteCommands : public ProgramTest {};

TEST_F(SiteCommands, OpenBHandsThePlayerLinkToTheBrowserAndSavesTheAddress) {
  struct Case {
    const char* name;
    std::string address;
    std::optional<std::string> part;  // nullopt: the part switch stays off
    std::string link;
    std::string id;
    std::string savedB;
  };
  const std::string b(kB), player(kBPlayer);
  const Case cases[] = {
      {"short form", b, std::nullopt, player + "BV1xx411c7mD&danmaku=0&autoplay=1", "BV1xx411c7mD",
       b},
      {"query", b + "?p=2&spm=x", std::nullopt, player + "BV1xx411c7mD&danmaku=0&autoplay=1",
       "BV1xx411c7mD", b + "?p=2&spm=x"},
      {"query holding a slash", b + "?from=https://a.b/c", std::nullopt,
       player + "BV1xx411c7mD&danmaku=0&autoplay=1", "BV1xx411c7mD", b + "?from=https://a.b/c"},
      {"fragment", b + "#reply", std::nullopt, player + "BV1xx411c7mD&danmaku=0&autoplay=1",
       "BV1xx411c7mD", b + "#reply"},
      {"line break typed after it", b + "\r\n", std::nullopt,
       player + "BV1xx411c7mD&danmaku=0&autoplay=1", "BV1xx411c7mD", b + "  "},
      {"part number 3", b + "/", "3", player + "BV1xx411c7mD&p=3&danmaku=0&autoplay=1",
       "BV1xx411c7mD", b + "/"},
      {"empty part", b, "", player + "BV1xx411c7mD&p=&danmaku=0&autoplay=1", "BV1xx411c7mD", b},
      {"pasted part", b, "a&", player + "BV1xx411c7mD&p=a%26&danmaku=0&autoplay=1", "BV1xx411c7mD",
       b},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ConfigPath());
    fake::ForgetOpenedLinks();
    Run([&] {
      Fill(编辑框1, c.address);
      if (c.part) {
        Click(选择框3);
        Fill(编辑框5, *c.part);
      }
      Click(按钮1);
      EXPECT_EQ(fake::OpenedLinks(), std::vector<Text>{c.link});
      EXPECT_EQ(TextOf(编辑框6), c.id);
      EXPECT_EQ(fake::TextColour(标签1), 0xFF80C0u);
      EXPECT_EQ(Caption(), "Tivarel");
      EXPECT_FALSE(ProgramState.composeOnly);
    });
    EXPECT_EQ(Saved("KTB", "b"), std::optional(c.savedB));
    EXPECT_EQ(Saved("KTBP", "bp"), c.part);
    EXPECT_EQ(Saved("KTBP", "bpxzk"), c.part ? std::optional(Gb("真")) : std::nullopt);
    EXPECT_EQ(Saved("KTX", "x"), std::nullopt);
  }
}

TEST_F(SiteCommands, OpenXHandsThePlayerLinkToTheBrowserAndSavesTheAddress) {
  struct Case {
    std::string address;
    std::string id;
  };
  const std::string x(kX);
  const Case cases[] = {
      {x, "7012345678901234567"},
      {x + "?logTag=abc", "7012345678901234567"},
      {x + "/", "7012345678901234567"},
      {x + "/?id=1", "7012345678901234567"},
      {"https://www.ixigua.com/?a=12345678901234567", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    std::filesystem::remove(ConfigPath());
    fake::ForgetOpenedLinks();
    WriteConfig("[KTBP]\nbpxzk=\xD5\xE6\nbp=3\n");  // the part switch is on: X ignores it
    Run([&] {
      Click(按钮13);
      Fill(编辑框4, c.address);
      Click(按钮8);
      EXPECT_EQ(fake::OpenedLinks(), std::vector<Text>{kXPlayer + c.id + "?autoplay=1"});
      EXPECT_EQ(TextOf(编辑框6), c.id);
      EXPECT_EQ(fake::TextColour(标签3), 0xFF5080u);
      EXPECT_EQ(Caption(), "Tivarel");
    });
    EXPECT_EQ(Saved("KTX", "x"), std::optional(c.address));
    EXPECT_EQ(Saved("KTBP", "bp"), std::optional<Text>("3"));
    EXPECT_EQ(Saved("KTB", "b"), std::nullopt);
  }
}

TEST_F(SiteCommands, RejectedAddressesTurnTheLabelRedAndChangeNothingElse) {
  const std::string b(kB), x(kX);
  const char* const rejected[] = {"",
                                  "https://www.bilibili.com/video/BV1xx411c7m",  // 42 bytes
                                  "http://www.bilibili.com/video/BV1xx411c7mD",
                                  " https://www.bilibili.com/video/BV1xx411c7mD",
                                  "https://www.Bilibili.com/video/BV1xx411c7mD",
                                  "https://www.ixigua.com/701234567890123456"};  // 41 bytes
  for (const char* address : rejected) {
    SCOPED_TRACE(address);
    std::filesystem::remove(ConfigPath());
    Run([&] {
      Click(按钮13);
      // A first accepted run of each site, so that there is something to keep.
      Fill(编辑框1, b);
      Click(按钮1);
      Fill(编辑框4, x);
      Click(按钮8);
      const std::optional<std::string> saved = ConfigBytes();
      fake::ForgetOpenedLinks();

      for (Control box : {编辑框1, 编辑框4}) {
        const Control open = box == 编辑框1 ? 按钮1 : 按钮8;
        const Control label = box == 编辑框1 ? 标签1 : 标签3;
        const Control other = box == 编辑框1 ? 标签3 : 标签1;
        const Rgb otherColour = fake::TextColour(other);
        ProgramState.composeOnly = true;  // as if a snippet command had set it
        Fill(box, address);
        Click(open);
        EXPECT_EQ(Caption(), Gb("Tivarel-核对视频地址是否正确"));
        EXPECT_EQ(fake::TextColour(label), 0xFF0000u);
        EXPECT_EQ(fake::TextColour(other), otherColour);
        EXPECT_EQ(TextOf(编辑框6), "7012345678901234567");
        EXPECT_TRUE(ProgramState.composeOnly);
        EXPECT_TRUE(fake::OpenedLinks().empty());
        EXPECT_EQ(ConfigBytes(), saved);
        ProgramState.composeOnly = false;
      }

      // The next accepted open restores the label and the caption.
      Fill(编辑框1, b + "?x=1");
      Click(按钮1);
      EXPECT_EQ(fake::TextColour(标签1), 0xFF80C0u);
      EXPECT_EQ(fake::TextColour(标签3), 0xFF0000u);
      EXPECT_EQ(Caption(), "Tivarel");
    });
  }
}

TEST_F(SiteCommands, WithComposeOnlySetAnOpenSavesAndParksTheIdButOpensNothing) {
  Run([] {
    Click(按钮13);
    Fill(编辑框1, std::string(kB) + "?p=1");
    ProgramState.composeOnly = true;
    Click(按钮1);
    EXPECT_TRUE(fake::OpenedLinks().empty());
    EXPECT_EQ(TextOf(编辑框6), "BV1xx411c7mD");
    EXPECT_FALSE(ProgramState.composeOnly);

    Fill(编辑框4, kX);
    ProgramState.composeOnly = true;
    Click(按钮8);
    EXPECT_TRUE(fake::OpenedLinks().empty());
    EXPECT_EQ(TextOf(编辑框6), "7012345678901234567");
    EXPECT_FALSE(ProgramState.composeOnly);
  });
  EXPECT_EQ(Saved("KTB", "b"), std::optional(std::string(kB) + "?p=1"));
  EXPECT_EQ(Saved("KTX", "x"), std::optional(std::string(kX)));
}

TEST_F(SiteCommands, SearchesOpenTheSitesSearchWithTheKeywordEncoded) {
  struct Case {
    std::string keyword;
    std::string encoded;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {Gb("C# 教程"), "C%23%20" + Gb("教程")},
      {Gb("這 是"), Gb("這") + "%20" + Gb("是")},
      {"a&b=c?d", "a%26b%3Dc%3Fd"},
  };
  for (const Case& c : cases) {
    fake::ForgetOpenedLinks();
    Run([&] {
      Click(按钮13);
      Fill(编辑框2, c.keyword);
      Click(按钮3);
      Fill(编辑框3, c.keyword);
      Click(按钮6);
      const std::vector<Text> expected = {"https://search.bilibili.com/all?keyword=" + c.encoded,
                                          "https://www.ixigua.com/search/" + c.encoded};
      EXPECT_EQ(fake::OpenedLinks(), expected);
      EXPECT_EQ(Caption(), "Tivarel");
    });
    EXPECT_FALSE(ConfigBytes().has_value());
  }
}

TEST_F(SiteCommands, ClearBEmptiesTheRowAndTurnsTheSwitchOffOnScreenOnly) {
  const std::string saved = "[KTB]\nb=" + std::string(kB) + "\n[KTBP]\nbpxzk=\xD5\xE6\nbp=5\n";
  WriteConfig(saved);
  Run([] {
    Fill(编辑框1, "bad");
    Click(按钮1);
    ASSERT_EQ(fake::TextColour(标签1), 0xFF0000u);
    Click(按钮2);
    EXPECT_EQ(TextOf(编辑框1), "");
    EXPECT_EQ(TextOf(编辑框5), "");
    EXPECT_FALSE(fake::IsEnabled(编辑框5));
    EXPECT_EQ(fake::Background(编辑框5), std::optional<Rgb>(0x808080));
    EXPECT_FALSE(platform::IsTicked(选择框3));
    EXPECT_EQ(fake::TextColour(标签1), 0xFF80C0u);
    EXPECT_EQ(Caption(), "Tivarel");
  });
  EXPECT_EQ(ConfigBytes(), saved);
  Run([] {
    EXPECT_EQ(TextOf(编辑框1), kB);
    EXPECT_TRUE(platform::IsTicked(选择框3));
    EXPECT_EQ(TextOf(编辑框5), "5");
  });
}

TEST_F(SiteCommands, ClearXAndTheSearchClearsEmptyOnlyTheirBoxes) {
  Run([] {
    Click(按钮13);
    Fill(编辑框1, "b");
    Fill(编辑框2, "k1");
    Fill(编辑框3, "k2");
    Fill(编辑框4, "bad");
    Click(按钮8);
    ASSERT_EQ(fake::TextColour(标签3), 0xFF0000u);
    Click(按钮7);
    EXPECT_EQ(TextOf(编辑框4), "");
    EXPECT_EQ(fake::TextColour(标签3), 0xFF5080u);
    EXPECT_EQ(Caption(), "Tivarel");

    Fill(编辑框4, "x");
    Click(按钮4);
    EXPECT_EQ(TextOf(编辑框2), "");
    EXPECT_EQ(TextOf(编辑框3), "k2");
    Click(按钮5);
    EXPECT_EQ(TextOf(编辑框3), "");
    EXPECT_EQ(TextOf(编辑框1), "b");
    EXPECT_EQ(TextOf(编辑框4), "x");
  });
  EXPECT_FALSE(ConfigBytes().has_value());
}

TEST_F(SiteCommands, ThePartSwitchPairsWithThePartBoxAndSavesOnlyItsState) {
  WriteConfig("[KTBP]\nbp=9\n");
  Run([&] {
    Click(选择框3);
    EXPECT_TRUE(fake::IsEnabled(编辑框5));
    EXPECT_EQ(fake::Background(编辑框5), std::optional<Rgb>(0xFFFFFF));
    EXPECT_EQ(TextOf(编辑框5), "1");
    EXPECT_EQ(Saved("KTBP", "bpxzk"), std::optional(Gb("真")));
    EXPECT_EQ(Saved("KTBP", "bp"), std::optional<Text>("9"));

    Fill(编辑框5, "7");
    Click(选择框3);
    EXPECT_FALSE(fake::IsEnabled(编辑框5));
    EXPECT_EQ(fake::Background(编辑框5), std::optional<Rgb>(0x808080));
    EXPECT_EQ(TextOf(编辑框5), "");
    EXPECT_EQ(Saved("KTBP", "bpxzk"), std::optional(Gb("假")));

    Click(选择框3);
    EXPECT_EQ(TextOf(编辑框5), "1");
  });
  // Quitting right after ticking brings back the old part number.
  Run([] {
    EXPECT_TRUE(platform::IsTicked(选择框3));
    EXPECT_EQ(TextOf(编辑框5), "9");
  });
}

}  // namespace
