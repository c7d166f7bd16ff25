#pragma once

#include "screens/search/SearchDialogDesign.h"

namespace mnt4820 {

struct CodeSearch;

// Creates the code search dialog `SEARCH_MSTDB` and wires its events to the code search module.
SEARCH_MSTDB createSearchDialog(CodeSearch& search);

}  // namespace mnt4820
