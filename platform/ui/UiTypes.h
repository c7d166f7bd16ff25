#pragma once

#include <cstdint>
#include <string>

namespace platform::ui {

// Colours as the original desktop stored them: 0x00BBGGRR, or 0x800000nn for system colour nn.
using Color = std::int32_t;

constexpr bool isSystemColor(Color c) { return (static_cast<std::uint32_t>(c) & 0x80000000u) != 0; }
constexpr Color rgb(int red, int green, int blue) { return (blue << 16) | (green << 8) | red; }

// The system colours the controls are designed with.
struct SystemColor {
  static constexpr Color WindowBackground = static_cast<Color>(0x80000005u);
  static constexpr Color WindowText = static_cast<Color>(0x80000008u);
  static constexpr Color ButtonFace = static_cast<Color>(0x8000000Fu);
  static constexpr Color ButtonText = static_cast<Color>(0x80000012u);
};

struct Font {
  std::string name;
  double size = 9.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  bool operator==(const Font&) const = default;
};

// Positions and sizes in twips (1440 to the inch, 15 to a pixel at 96 dpi).
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// The kinds of control, one for each control class.
enum class ControlKind { Label, TextBox, CommandButton, ListGrid, DataGrid, DataControl };

enum class MousePointer : std::int16_t { Default = 0, Arrow = 1, Hourglass = 11 };

enum class ShowMode { Modeless, Modal };

// Input-method modes of a text box (the values of the original platform).
enum class ImeMode : std::int16_t { NoControl = 0, On = 1, Off = 2, Disable = 3 };

// Shift-state bits of key events.
namespace shift {
constexpr std::int16_t None = 0;
constexpr std::int16_t Shift = 1;
constexpr std::int16_t Ctrl = 2;
constexpr std::int16_t Alt = 4;
}  // namespace shift

// Virtual-key codes.
namespace key {
constexpr std::int16_t Backspace = 8;
constexpr std::int16_t Tab = 9;
constexpr std::int16_t Enter = 13;
constexpr std::int16_t Shift = 16;
constexpr std::int16_t Ctrl = 17;
constexpr std::int16_t Alt = 18;
constexpr std::int16_t Pause = 19;
constexpr std::int16_t CapsLock = 20;
constexpr std::int16_t Esc = 27;
constexpr std::int16_t Space = 32;
constexpr std::int16_t PageUp = 33;
constexpr std::int16_t PageDown = 34;
constexpr std::int16_t End = 35;
constexpr std::int16_t Home = 36;
constexpr std::int16_t Left = 37;
constexpr std::int16_t Up = 38;
constexpr std::int16_t Right = 39;
constexpr std::int16_t Down = 40;
constexpr std::int16_t Insert = 45;
constexpr std::int16_t Delete = 46;
constexpr std::int16_t F1 = 112;
constexpr std::int16_t F2 = 113;
constexpr std::int16_t F5 = 116;
constexpr std::int16_t letter(char upper) { return static_cast<std::int16_t>(upper); }
}  // namespace key

// Message-box flags and answers of the original platform.
namespace mb {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Exclamation = 48;
constexpr int DefaultButton2 = 256;

enum class Answer : std::int16_t { Ok = 1, Cancel = 2, Yes = 6, No = 7 };
}  // namespace mb

}  // namespace platform::ui
