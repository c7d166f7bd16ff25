#pragma once

#include <memory>

#include "platform/ui/Form.h"

namespace mnt4820 {

struct CodeSearch;

// Creates the code search dialog `SEARCH_MSTDB` and wires its events to the code search module.
std::unique_ptr<platform::ui::Form> createSearchDialog(CodeSearch& search);

}  // namespace mnt4820
