#include "platform/qt/FontResolver.h"

#include <QFontDatabase>
#include <utility>

namespace platform::qt {

namespace {

// "ＭＳ ゴシック" and "MS Gothic" are fixed-pitch; "ＭＳ Ｐゴシック", "MS PGothic" and "MS UI Gothic" are not.
bool isFixedPitchName(const QString& name) {
  static const QStringList proportionalMarks{"Ｐ", "PGothic", "PMincho", "UI Gothic", "Pゴシック", "P明朝"};
  static const QStringList fixedMarks{"ゴシック", "明朝",     "Gothic",   "Mincho",
                                      "Courier",  "Terminal", "Fixedsys", "Consolas"};
  for (const QString& mark : proportionalMarks) {
    if (name.contains(mark, Qt::CaseInsensitive)) return false;
  }
  for (const QString& mark : fixedMarks) {
    if (name.contains(mark, Qt::CaseInsensitive)) return true;
  }
  return false;
}

}  // namespace

FontResolver::FontResolver(QStringList installed, QStringList japanese)
    : installed_(std::move(installed)), japanese_(std::move(japanese)) {}

FontResolver FontResolver::fromFontDatabase() {
  return {QFontDatabase::families(), QFontDatabase::families(QFontDatabase::Japanese)};
}

bool FontResolver::isInstalled(const QString& family) const { return installed_.contains(family, Qt::CaseInsensitive); }

QString FontResolver::family(const QString& requested) const {
  if (isInstalled(requested)) return requested;
  // The Japanese fonts of the usual Linux packages, best first.
  static const QStringList fixedPitch{"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic", "TakaoGothic"};
  static const QStringList proportional{"IPAPGothic", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic", "IPAexGothic"};
  const bool fixed = isFixedPitchName(requested);
  for (const QStringList* list : {fixed ? &fixedPitch : &proportional, fixed ? &proportional : &fixedPitch}) {
    for (const QString& candidate : *list) {
      if (isInstalled(candidate)) return candidate;
    }
  }
  if (!japanese_.isEmpty()) return japanese_.front();
  return requested;  // nothing better here: leave it to Qt's own matching
}

QFont FontResolver::font(const ui::Font& font) const {
  QFont result(family(QString::fromStdString(font.name)));
  result.setPointSizeF(font.size);
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStrikeOut(font.strikethrough);
  return result;
}

}  // namespace platform::qt
