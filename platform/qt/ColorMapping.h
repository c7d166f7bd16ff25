#pragma once

#include <QColor>
#include <QPalette>

#include "platform/ui/UiTypes.h"

namespace platform::qt {

// The colour a model colour stands for: 0x00BBGGRR as it is; a system colour (0x800000nn) is taken from the
// palette role that plays its part on this desktop. An unknown system colour gives the window colour.
QColor toQColor(ui::Color color, const QPalette& palette);

}  // namespace platform::qt
