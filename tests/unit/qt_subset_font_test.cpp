// The cut of the CJK face draws the program's texts exactly as the installed face does.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <string_view>

#include "platform/qt/qt_text.h"
#include "platform/qt/subset_fonts.h"
#include "ui/texts.h"

namespace {

QImage Drawn(const QString& family, int pixelSize, int weight, const QString& text) {
  QFont font;
  font.setFamilies({family});
  font.setPixelSize(pixelSize);
  font.setWeight(static_cast<QFont::Weight>(weight));
  QImage image(24 * pixelSize, 2 * pixelSize, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
  return image;
}

class SubsetFontTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists(QStringLiteral(":/fonts/subset-regular.otf")))
      GTEST_SKIP() << "built without fontTools: no cut of the face";
    platform::qt::AddSubsetFonts();
  }
};

TEST_F(SubsetFontTest, BothWeightsAreRegistered) {
  const QString family = QString::fromLatin1(platform::qt::kSubsetFamily);
  ASSERT_TRUE(QFontDatabase::families().contains(family));
  for (const int weight : {400, 700}) {
    QFont font(family);
    font.setWeight(static_cast<QFont::Weight>(weight));
    EXPECT_TRUE(QFontDatabase::isSmoothlyScalable(family, QFontDatabase::styleString(font)));
    EXPECT_EQ(QFontInfo(font).weight(), weight);
  }
}

TEST_F(SubsetFontTest, DrawsTheTextsAsTheInstalledFace) {
  const std::string_view texts[] = {kExpandCaption,
                                    kCollapseCaption,
                                    kTextHomePage,
                                    kTextMakeBSnippet,
                                    kTextPartSwitch,
                                    kTextXSearch,
                                    kTextBAddress,
                                    kTextPin,
                                    "https://www.bilibili.com/video/BV1xx411c7mD?p=3&x=\"<>"};
  for (const std::string_view text : texts) {
    const QString shown = platform::qt::QStringFromText(text);
    for (const int weight : {400, 700}) {
      for (const int size : {16, 24, 27}) {
        EXPECT_EQ(Drawn(QString::fromLatin1(platform::qt::kSubsetFamily), size, weight, shown),
                  Drawn(QStringLiteral("Noto Sans CJK SC"), size, weight, shown))
            << shown.toStdString() << " weight " << weight << " at " << size << " px";
      }
    }
  }
}

}  // namespace
