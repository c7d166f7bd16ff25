#pragma once

#include <cstdint>
#include <optional>

#include "program/Program.h"
#include "platform/odbc/ResultSet.h"

namespace mnt4820 {

// Brings the main window into its initial state: fields and "lbl_" labels emptied, the three fields
// registered, key area active with only KCNTCD enabled, key-area buttons.
void InitScreen(Program& program);

// Fills the field table with KCNTCD (key area), CNTCD and ATKCD (detail area), all "2U" without a format,
// and gives each field its row as TabIndex. Runs right after ClearScreen has counted the fields.
void RegisterFields(Program& program);

// Opens the full listing of the center-user pairs; StatusStop when the query fails (no message to the operator).
void QueryListing(Program& program, std::optional<platform::odbc::ResultSet>& resultSet, std::int16_t& status);

// Puts an open listing into the grid. The grid comes with its own module; until then this step does nothing.
void FillGrid(Program& program, platform::odbc::ResultSet& resultSet);

// The header line: screen identifier, operator caption, operator code and name, today's date.
void ShowHeader(Program& program);

// 0: key-area buttons; 1: detail-area buttons; any other value changes nothing.
void SetCommandState(Program& program, std::int16_t mode);

}  // namespace mnt4820
