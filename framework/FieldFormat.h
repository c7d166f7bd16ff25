#pragma once

#include <cstdint>

#include "framework/ScreenState.h"

namespace mnt4820 {

// Brings the value of the text field in `row` into the form its format asks for, before the screen checks it:
//   no format       the text cut to MaxLength CP932 bytes (a double-byte character across the cut is dropped
//                   whole; MaxLength 0 means no limit);
//   "yyyy/mm/dd", "yy/mm/dd"   8 digits (yyyymmdd) or 6 digits (yymmdd) completed to a date;
//   "mm/dd"         4 digits (mmdd), or m/d with one-digit parts;
//   "yyyy/mm"       4 digits (yymm: 91-99 are 1991-1999, 00-90 are 2000-2090), 6 digits (yyyymm), or y/m;
//   "hh:mm"         4 digits (hhmm).
// A completed value, or one typed with its separators, is then written in the format when it fits
// MaxLength. Anything that is not a valid date or time is left as typed, and so are six digits in an
// "hh:mm" field (they are no time).
//
// Dates and times are recognised by one rule, blanks around ignored, ASCII digits only:
//   y/m/d  year of 1-4 digits, month and day of 1-2; a year of 1-2 digits is 2000-2029 for 00-29 and
//          1930-1999 for 30-99; the date must exist and lie in the years 100 to 9999;
//   y/m    year of 3-4 digits and month of 1-2 (a first part of 1-2 digits makes it a month and day);
//   m/d    month and day of 1-2 digits, a day that some year has (02/29 passes);
//   h:mm   hour 0-23 of 1-2 digits, minutes 00-59 of exactly 2.
// Writing a value in a format needs the parts the format shows: a month and day has no year for "yyyy/mm",
// a date no time for "hh:mm"; such a value, and a value with a format not listed above, stays as it is.
void FormatFieldValue(ScreenState& screen, std::int16_t row);

}  // namespace mnt4820
