#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "platform/ui/UiTypes.h"

namespace platform::qt {

// Turns the model's fonts into Qt fonts. The windows were designed with Windows Japanese fonts
// ("ＭＳ ゴシック", "ＭＳ Ｐゴシック") that Linux does not have; a family that is not installed is replaced by an
// installed Japanese font of the same kind (fixed or proportional), so Japanese text never shows as boxes.
class FontResolver {
 public:
  // installed: every family there is; japanese: the families that can draw Japanese.
  FontResolver(QStringList installed, QStringList japanese);
  static FontResolver fromFontDatabase();

  QString family(const QString& requested) const;
  QFont font(const ui::Font& font) const;

 private:
  bool isInstalled(const QString& family) const;

  QStringList installed_;
  QStringList japanese_;
};

}  // namespace platform::qt
