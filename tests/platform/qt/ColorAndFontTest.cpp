#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "platform/qt/ColorMapping.h"
#include "platform/qt/FontResolver.h"
#include "platform/qt/TwipScale.h"

namespace {

using platform::qt::FontResolver;
using platform::qt::toQColor;
using platform::qt::TwipScale;
using platform::ui::Color;

Color system(unsigned index) { return static_cast<Color>(0x80000000u | index); }

TEST(ColorMapping, BlueGreenRedValuesKeepTheirComponents) {
  const QPalette palette = QApplication::palette();
  const struct {
    Color model;
    QColor shown;
  } cases[] = {
      {0x00000000, QColor(0, 0, 0)},          {0x00FFFFFF, QColor(255, 255, 255)},
      {0x000000FF, QColor(255, 0, 0)},        {0x0000FF00, QColor(0, 255, 0)},
      {0x00FF0000, QColor(0, 0, 255)},        {0x00C0C0C0, QColor(192, 192, 192)},
      {0x00FFFFC0, QColor(0xC0, 0xFF, 0xFF)}, {0x00808080, QColor(128, 128, 128)},
      {0x00123456, QColor(0x56, 0x34, 0x12)},
  };
  for (const auto& c : cases) EXPECT_EQ(toQColor(c.model, palette), c.shown) << std::hex << c.model;
}

TEST(ColorMapping, SystemColoursComeFromThePalette) {
  QPalette palette;
  // Distinct colours per role, so that a wrong role cannot pass by accident.
  int shade = 10;
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor(shade % 256, shade / 256, 7));
      ++shade;
    }
  }
  const struct {
    unsigned index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
  } cases[] = {
      {5, QPalette::Active, QPalette::Base},
      {8, QPalette::Active, QPalette::Text},
      {15, QPalette::Active, QPalette::Button},
      {13, QPalette::Active, QPalette::Highlight},
      {14, QPalette::Active, QPalette::HighlightedText},
      {17, QPalette::Disabled, QPalette::Text},
      {18, QPalette::Active, QPalette::ButtonText},
      {16, QPalette::Active, QPalette::Dark},
      {20, QPalette::Active, QPalette::Light},
      {21, QPalette::Active, QPalette::Shadow},
      {23, QPalette::Active, QPalette::ToolTipText},
      {24, QPalette::Active, QPalette::ToolTipBase},
      {7, QPalette::Active, QPalette::WindowText},
      {4, QPalette::Active, QPalette::Window},
      {25, QPalette::Active, QPalette::Window},
      {0xFF, QPalette::Active, QPalette::Window},  // unknown ones
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toQColor(system(c.index), palette), palette.color(c.group, c.role)) << "system colour " << c.index;
  }
}

TEST(FontResolver, InstalledFamiliesAreKeptAndMissingOnesFallBackByKind) {
  const FontResolver fonts({"DejaVu Sans", "IPAGothic", "IPAPGothic"}, {"IPAGothic", "IPAPGothic"});
  const struct {
    const char* requested;
    const char* resolved;
  } cases[] = {
      {"DejaVu Sans", "DejaVu Sans"},
      {"dejavu sans", "dejavu sans"},
      {"IPAPGothic", "IPAPGothic"},
      {"ＭＳ ゴシック", "IPAGothic"},
      {"MS Gothic", "IPAGothic"},
      {"ＭＳ 明朝", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"MS PGothic", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},
      {"Arial", "IPAPGothic"},
      {"", "IPAPGothic"},
  };
  for (const auto& c : cases) EXPECT_EQ(fonts.family(QString(c.requested)), QString(c.resolved)) << c.requested;
}

TEST(FontResolver, FallsBackToTheOtherKindThenAnyJapaneseFont) {
  EXPECT_EQ(FontResolver({"IPAPGothic"}, {"IPAPGothic"}).family("ＭＳ ゴシック"), QString("IPAPGothic"));
  EXPECT_EQ(FontResolver({"Noto Sans CJK JP"}, {"Noto Sans CJK JP"}).family("ＭＳ ゴシック"),
            QString("Noto Sans CJK JP"));
  EXPECT_EQ(FontResolver({"DejaVu Sans", "Some Mincho"}, {"Some Mincho"}).family("ＭＳ Ｐゴシック"),
            QString("Some Mincho"));
  EXPECT_EQ(FontResolver({"DejaVu Sans"}, {}).family("ＭＳ ゴシック"), QString("ＭＳ ゴシック"))
      << "with no Japanese font at all the name is left to Qt";
}

TEST(FontResolver, FontCarriesSizeAndStyle) {
  const FontResolver fonts({"IPAGothic"}, {"IPAGothic"});
  const QFont font = fonts.font({"ＭＳ ゴシック", 11.25, true, false, true, true});
  EXPECT_EQ(font.family(), QString("IPAGothic"));
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 11.25);
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_TRUE(font.strikeOut());
}

TEST(TwipScale, ConvertsAtTheGivenResolution) {
  const struct {
    double dpi;
    int twips;
    int pixels;
  } cases[] = {
      {96, 0, 0},  {96, 15, 1}, {96, 1440, 96},   {96, 1740, 116}, {96, 1605, 107},
      {96, 22, 1}, {96, 23, 2}, {120, 1440, 120}, {120, 12, 1},    {144, 1590, 159},
  };
  for (const auto& c : cases) {
    const TwipScale scale(c.dpi, c.dpi);
    EXPECT_EQ(scale.toPixelsX(c.twips), c.pixels) << c.twips << " twips at " << c.dpi;
    EXPECT_EQ(scale.toPixelsY(c.twips), c.pixels);
  }
  const TwipScale mixed(96, 120);
  EXPECT_EQ(mixed.toPixels({1440, 1440, 2880, 720}), QRect(96, 120, 192, 60));
  EXPECT_EQ(mixed.toTwipsX(800), 12000);
  EXPECT_EQ(mixed.toTwipsY(600), 7200);
  EXPECT_EQ(TwipScale(0, -1).toPixelsX(1440), 96) << "a screen with no resolution counts as 96 dpi";
}

}  // namespace
