#pragma once

#include <optional>
#include <string>

namespace platform::odbc {

// A statement parameter, bound as UTF-8 text; std::nullopt binds SQL NULL.
using Parameter = std::optional<std::string>;

}  // namespace platform::odbc
