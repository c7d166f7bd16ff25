#pragma once

class QWidget;

namespace platform::ui {
class Control;
}

namespace platform::qt {

class ControlView;
class QtToolkit;

// The view of a control's kind, a child of `parent` (which owns it); none for a control without a face of its
// own (the data control).
ControlView* createControlView(QtToolkit& toolkit, ui::Control& control, QWidget* parent);

}  // namespace platform::qt
