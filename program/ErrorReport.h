#pragma once

#include <exception>
#include <string_view>

namespace mnt4820 {

// The operator sees only a fixed message; this line on standard error tells an administrator what was behind
// it: "MNT4820: <where>: <what>", for an ODBC error every diagnostic record as [SQLSTATE] (native code) message.
void reportCaughtError(std::string_view where, const std::exception& error);

}  // namespace mnt4820
