#pragma once

#include <string>

#include "program/Program.h"

namespace mnt4820 {

// The entry procedure of the small sign-on program beside MNT4820: the database section of EDI.ini, the
// connection, the other sections, then the sign-on dialog (RunSignOn); the connection is closed again and the
// published values are returned. A failing step shows the start-up's message and ends the program.
OperatorState SignOnMain(Program& program, const std::string& programFolder);

}  // namespace mnt4820
