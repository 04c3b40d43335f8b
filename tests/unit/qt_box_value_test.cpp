// A box that has no widget yet gives back what its widget would have given: the held value of a
// text is compared with the real box's after the same text was set.
#include <gtest/gtest.h>

#include <QApplication>
#include <ostream>
#include <vector>

#include "platform/qt/control_widgets.h"

namespace {

using platform::qt::MultiLineBox;
using platform::qt::OneLineBox;

struct ValueCase {
  const char* name;
  QString text;
};

void PrintTo(const ValueCase& valueCase, std::ostream* out) {
  *out << valueCase.name;
}

std::vector<ValueCase> Texts() {
  return {
      {"empty", QString()},
      {"plain", QStringLiteral("https://www.bilibili.com/video/BV1xx411c7mD")},
      {"crlf", QStringLiteral("a\r\nb")},
      {"lf", QStringLiteral("a\nb")},
      {"lone_cr", QStringLiteral("a\rb")},
      {"cr_cr_lf", QStringLiteral("a\r\r\nb")},
      {"trailing_break", QStringLiteral("a\r\n")},
      {"blank_lines", QStringLiteral("\r\n\r\n")},
      {"paragraph_separator", QStringLiteral("a\u2029b")},
      {"line_separator", QStringLiteral("a\u2028b")},
      {"no_break_space_and_tab", QStringLiteral("a\u00A0b\tc")},
      {"nul", QString(QStringLiteral("a")).append(QChar(0)).append(QStringLiteral("b"))},
      {"cjk", QStringLiteral("\u771F\u3000\u89C6\u9891")},
      {"long_word", QString(20000, u'x')},
      {"beyond_a_line_edit", QString(40000, u'y') + QStringLiteral("\r\nz")},
  };
}

class BoxValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(BoxValueTest, HeldMultiLineValueIsTheWidgets) {
  MultiLineBox box(EditBorder::StaticEdge, nullptr);
  box.SetValue(GetParam().text);
  EXPECT_EQ(MultiLineBox::Normalised(GetParam().text), box.Value());
}

TEST_P(BoxValueTest, HeldOneLineValueIsTheWidgets) {
  OneLineBox box(EditBorder::ClientEdge, 0, false, nullptr);
  box.SetValue(GetParam().text);
  EXPECT_EQ(OneLineBox::Normalised(GetParam().text), box.text());
}

INSTANTIATE_TEST_SUITE_P(Texts, BoxValueTest, testing::ValuesIn(Texts()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
