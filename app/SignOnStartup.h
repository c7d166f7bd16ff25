#pragma once

#include <ostream>
#include <string>

#include "program/Program.h"

namespace mnt4820 {

// The entry procedure of the small sign-on program beside MNT4820: the database section of EDI.ini, the
// connection, the other sections, then the sign-on dialog (RunSignOn); the connection is closed again and the
// published values are returned. A failing step shows the start-up's message and ends the program.
OperatorState SignOnMain(Program& program, const std::string& programFolder);

// The published values for the caller that started the sign-on, one "Name=value" a line. Control characters and
// line separators in a value (an operator name may hold any) are written as blanks, so that no value can add a
// line or pose as another.
void publishOperatorValues(std::ostream& out, const OperatorState& signedOn);

}  // namespace mnt4820
