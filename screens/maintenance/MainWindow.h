#pragma once

#include <cstdint>
#include <memory>

#include "program/Program.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"

namespace mnt4820 {

// Creates the main window `F_MNT4820` from its design and wires its events to the screen's procedures. Its
// close question belongs to the entry, which wires it when it creates the window.
// The window keeps one code search for the whole run.
std::unique_ptr<platform::ui::Form> createMainWindow(Program& program);

// The window's key-down, which sees every key before the focused control: Enter checks the field and moves on
// (on ATKCD after the save question), Esc leaves the area (the key area by closing the window), F2 arms a
// leave without the save question, F5 opens the code search, Up and Down move between the fields.
void HandleScreenKey(Program& program, CodeSearch& search, std::int16_t keyCode, std::int16_t shiftState);

// The buttons CMD (0) search (key area only), (1) add, (2) delete (detail area only), (3) exit.
void HandleCommand(Program& program, std::int16_t index);

// F5: the center search into KCNTCD and lbl_KCNTNM, or into CNTCD and lbl_CNTNM; elsewhere nothing.
void StartCodeSearch(Program& program, CodeSearch& search);

}  // namespace mnt4820
