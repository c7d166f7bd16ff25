#pragma once

#include <QRect>

#include "platform/ui/UiTypes.h"

class QScreen;

namespace platform::qt {

// Twips (1440 to the inch) against pixels at a screen's logical resolution: 15 twips to a pixel at 96 dpi.
class TwipScale {
 public:
  TwipScale(double dpiX, double dpiY);
  // The scale of the primary screen; 96 dpi when there is no screen.
  static TwipScale ofPrimaryScreen();
  static TwipScale ofScreen(const QScreen* screen);

  int toPixelsX(int twips) const;
  int toPixelsY(int twips) const;
  QRect toPixels(const ui::Rect& twips) const;
  int toTwipsX(int pixels) const;
  int toTwipsY(int pixels) const;

 private:
  double dpiX_;
  double dpiY_;
};

}  // namespace platform::qt
