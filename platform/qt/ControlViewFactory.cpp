#include "platform/qt/ControlViewFactory.h"

#include "platform/qt/CommandButtonView.h"
#include "platform/qt/DataGridView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/ListGridView.h"
#include "platform/qt/PanelView.h"
#include "platform/qt/TextBoxEdit.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"

namespace platform::qt {

ControlView* createControlView(QtToolkit& toolkit, ui::Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ui::ControlKind::TextBox:
      if (auto* box = dynamic_cast<ui::TextBox*>(&control)) return new TextBoxEdit(toolkit, *box, parent);
      break;
    case ui::ControlKind::Label:
      if (auto* label = dynamic_cast<ui::Label*>(&control)) return new LabelView(toolkit, *label, parent);
      break;
    case ui::ControlKind::CommandButton:
      if (auto* button = dynamic_cast<ui::CommandButton*>(&control)) {
        return new CommandButtonView(toolkit, *button, parent);
      }
      break;
    case ui::ControlKind::DataGrid:
      if (auto* grid = dynamic_cast<ui::DataGrid*>(&control)) return new DataGridView(toolkit, *grid, parent);
      break;
    case ui::ControlKind::DataControl: return nullptr;
    case ui::ControlKind::ListGrid:
      if (auto* grid = dynamic_cast<ui::ListGrid*>(&control)) return new ListGridView(toolkit, *grid, parent);
      break;
    case ui::ControlKind::ComboBox: break;
  }
  return new PanelView(toolkit, control, parent);
}

}  // namespace platform::qt
