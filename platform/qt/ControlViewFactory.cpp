#include "platform/qt/ControlViewFactory.h"

#include "platform/qt/CommandButtonView.h"
#include "platform/qt/DataGridView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/ListGridView.h"
#include "platform/qt/TextBoxEdit.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"

namespace platform::qt {

// Each kind is made by its class alone, so the kind names the class to view.
ControlView* createControlView(QtToolkit& toolkit, ui::Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ui::ControlKind::TextBox: return new TextBoxEdit(toolkit, static_cast<ui::TextBox&>(control), parent);
    case ui::ControlKind::Label: return new LabelView(toolkit, static_cast<ui::Label&>(control), parent);
    case ui::ControlKind::CommandButton:
      return new CommandButtonView(toolkit, static_cast<ui::CommandButton&>(control), parent);
    case ui::ControlKind::DataGrid: return new DataGridView(toolkit, static_cast<ui::DataGrid&>(control), parent);
    case ui::ControlKind::ListGrid: return new ListGridView(toolkit, static_cast<ui::ListGrid&>(control), parent);
    case ui::ControlKind::DataControl: break;
  }
  // The data control has no face.
  return nullptr;
}

}  // namespace platform::qt
