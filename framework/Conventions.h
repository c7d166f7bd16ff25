#pragma once

#include <cstdint>

namespace mnt4820 {

// The status of every operation that can fail and of every field check: StatusStop means a message was shown
// or the focus placed and the caller does nothing more; any other value, normally StatusGoOn, means go on.
inline constexpr std::int16_t StatusStop = 9;
inline constexpr std::int16_t StatusGoOn = 0;

// Booleans kept in 16-bit values.
inline constexpr std::int16_t VbTrue = -1;
inline constexpr std::int16_t VbFalse = 0;

}  // namespace mnt4820
