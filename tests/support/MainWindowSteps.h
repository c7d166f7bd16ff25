#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/ScreenStates.h"

namespace mnt4820::test {

// The headless toolkit with a step of the test run while a message box is up, before it is answered. A box
// nobody scripted an answer for is an error, or answered OK where `okWhenUnscripted` says so.
class ScriptedToolkit : public platform::ui::HeadlessToolkit {
 public:
  std::function<void(const std::string&)> onMessage;
  bool okWhenUnscripted = false;
  platform::ui::mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title) override {
    if (onMessage) onMessage(prompt);
    if (okWhenUnscripted && pendingAnswers() == 0) answerNext(platform::ui::mb::Answer::Ok);
    return HeadlessToolkit::messageBox(prompt, flags, title);
  }
};

// What the operator does in a field: types the text over it and presses Enter.
inline void enter(platform::ui::TextBox& field, const std::string& text) {
  field.setText(text);
  field.form()->pressKey(platform::ui::key::Enter, 0);
}

// The main window back in its key area: changing, the center code to type, the partner code empty and closed.
inline void expectKeyArea(const MaintenanceScreen& maintenance) {
  const F_MNT4820& window = maintenance.window;
  EXPECT_EQ(maintenance.program.screen.ScreenArea, Area::Head);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Change);
  EXPECT_EQ(window.form->activeControl(), &window.KCNTCD);
  EXPECT_FALSE(window.ATKCD.isEnabled());
  EXPECT_EQ(window.ATKCD.text(), "");
  EXPECT_EQ(window.lbl_PGID.caption(), "SCR48201");
}

}  // namespace mnt4820::test
