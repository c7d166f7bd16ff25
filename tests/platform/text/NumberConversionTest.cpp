#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "platform/text/NumberConversion.h"

namespace {

using platform::ConversionError;
using platform::OverflowError;

static_assert(!std::is_base_of_v<ConversionError, OverflowError> && !std::is_base_of_v<OverflowError, ConversionError>,
              "a type mismatch and an overflow must be told apart");

TEST(ParseNumber, ReadsDecimalAndPrefixedNumbers) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"12", 12},
      {" 12 ", 12},
      {"0", 0},
      {"-3.5", -3.5},
      {"+7", 7},
      {"1e3", 1000},
      {"1E3", 1000},
      {"2.5e-1", 0.25},
      {"-1.5E+2", -150},
      {".5", 0.5},
      {"5.", 5},
      {"00012", 12},
      {"1e-400", 0},  // underflow gives zero
      {"&H10", 16},
      {"&h1f", 31},
      {"&HfF", 255},
      {" &HFF ", 255},
      {"&HFFFF", 65535},  // yellow 0x0000FFFF, not -1
      {"&H0000FFFF", 65535},
      {"&H7FFFFFFF", 2147483647},
      {"&H80000000", -2147483648.0},
      {"&H8000000F", -2147483633},  // system colour: button face
      {"&HFFFFFFFF", -1},
      {"&H000000000F", 15},  // leading zeros carry no value
      {"&O17", 15},
      {"&o777", 511},
      {"&O37777777777", -1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(platform::parseNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseNumber, RejectsWhatIsNoNumber) {
  const char* const cases[] = {
      "",  "   ", "abc", "12a", "a12", "1e",  "e3",    "1e+",  "&H",   "&HG1", "&H 1", "&O8",   "&X10", "&",
      "+", "-",   ".",   "--1", "1 2", "- 1", "1.2.3", "１２", "0x10", "inf",  "nan",  "1,000", "\t1",
  };
  for (const char* text : cases) EXPECT_THROW(platform::parseNumber(text), ConversionError) << '"' << text << '"';
}

TEST(ParseNumber, ReportsOverflow) {
  const char* const cases[] = {"&H100000000", "&H123456789", "&O40000000000", "1e400", "-1e400", "0.001e312"};
  for (const char* text : cases) EXPECT_THROW(platform::parseNumber(text), OverflowError) << '"' << text << '"';
}

TEST(ToInteger, RoundsHalvesToTheEvenNeighbour) {
  struct Case {
    double value;
    std::int16_t expected;
  };
  const Case cases[] = {
      {2.5, 2},   {3.5, 4}, {-2.5, -2}, {-3.5, -4},       {0.5, 0},           {1.5, 2},           {2.6, 3},
      {-2.6, -3}, {2.4, 2}, {0.0, 0},   {32767.4, 32767}, {-32768.4, -32768}, {-32768.5, -32768}, {32766.5, 32766},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::toInteger16(c.value), c.expected) << c.value;
    EXPECT_EQ(platform::toInteger32(c.value), c.expected) << c.value;
  }
  EXPECT_EQ(platform::toInteger32(2147483647.4), 2147483647);
  EXPECT_EQ(platform::toInteger32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(platform::toInteger32(40000), 40000);
  EXPECT_EQ(platform::toInteger32(platform::parseNumber("&H8000000F")), -2147483633);
}

TEST(ToInteger, ReportsOverflow) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  for (const double value : {32767.5, 40000.0, -32769.0, -32768.6, nan, infinity, -infinity}) {
    EXPECT_THROW(platform::toInteger16(value), OverflowError) << value;
  }
  for (const double value : {2147483647.5, -2147483649.0, 1e10, nan, infinity}) {
    EXPECT_THROW(platform::toInteger32(value), OverflowError) << value;
  }
}

TEST(LeadingNumber16, ReadsTheNumberAtTheStartOrGivesZero) {
  struct Case {
    const char* text;
    std::int16_t value;
  };
  const Case cases[] = {
      {"1", 1},      {" 9 ", 9},  {"-5", -5}, {"+7", 7},          {"2.5", 2},   {"3.5", 4},     {"-.5", 0},
      {"12abc", 12}, {"5.x", 5},  {"1e3", 1}, {"-32768", -32768}, {"70000", 0}, {"32767.5", 0}, {"", 0},
      {"abc", 0},    {"&H10", 0}, {"--1", 0}, {"+-1", 0},         {"inf", 0},   {"nan", 0},     {".", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::leadingNumber16(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseBoolean, ReadsWordsAndNumbers) {
  struct Case {
    const char* text;
    bool value;
  };
  const Case cases[] = {
      {"True", true},   {"true", true}, {"TRUE", true}, {" tRuE ", true}, {"False", false},
      {"FALSE", false}, {"0", false},   {"0.0", false}, {"&H0", false},   {"1", true},
      {"-1", true},     {"0.5", true},  {"&HFF", true},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::parseBoolean(c.text), c.value) << '"' << c.text << '"';
  for (const char* text : {"", "  ", "yes", "Tru", "Truee", "on", "真"}) {
    EXPECT_THROW(platform::parseBoolean(text), ConversionError) << '"' << text << '"';
  }
}

}  // namespace
