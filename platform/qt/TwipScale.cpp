#include "platform/qt/TwipScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform::qt {

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double FallbackDpi = 96.0;

int rounded(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

TwipScale::TwipScale(double dpiX, double dpiY)
    : dpiX_(dpiX > 0 ? dpiX : FallbackDpi), dpiY_(dpiY > 0 ? dpiY : FallbackDpi) {}

TwipScale TwipScale::ofPrimaryScreen() { return ofScreen(QGuiApplication::primaryScreen()); }

TwipScale TwipScale::ofScreen(const QScreen* screen) {
  if (screen == nullptr) return {FallbackDpi, FallbackDpi};
  return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

int TwipScale::toPixelsX(int twips) const { return rounded(twips * dpiX_ / TwipsPerInch); }
int TwipScale::toPixelsY(int twips) const { return rounded(twips * dpiY_ / TwipsPerInch); }

QRect TwipScale::toPixels(const ui::Rect& twips) const {
  return {toPixelsX(twips.left), toPixelsY(twips.top), toPixelsX(twips.width), toPixelsY(twips.height)};
}

int TwipScale::toTwipsX(int pixels) const { return rounded(pixels * TwipsPerInch / dpiX_); }
int TwipScale::toTwipsY(int pixels) const { return rounded(pixels * TwipsPerInch / dpiY_); }

}  // namespace platform::qt
