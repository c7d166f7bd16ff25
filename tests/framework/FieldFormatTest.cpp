// Completing and writing a field's value in its format when the field is left.
#include <gtest/gtest.h>

#include <string>

#include "FrameworkWorld.h"
#include "framework/FieldFormat.h"
#include "platform/ui/Label.h"

namespace mnt4820 {
namespace {

using platform::ui::TextBox;

struct FormatCase {
  const char* format;
  const char* typed;
  const char* expected;
  int maxLength = 10;
};

class Formatting : public ::testing::Test {
 protected:
  // The result of formatting `typed` in the field of row 1 (row 0 is another field, left alone).
  std::string formatted(const FormatCase& c) {
    world.rows[1].format = c.format;
    world.registerRows();
    field.setMaxLength(c.maxLength);
    field.setText(c.typed);
    FormatFieldValue(world.screen, 1);
    return field.text();
  }

  void run(const FormatCase* begin, const FormatCase* end) {
    for (const FormatCase* c = begin; c != end; ++c) {
      SCOPED_TRACE(std::string(c->format) + " '" + c->typed + "' MaxLength " + std::to_string(c->maxLength));
      EXPECT_EQ(formatted(*c), c->expected);
      EXPECT_EQ(neighbour.text(), "0001");
    }
  }

  test::FrameworkWorld world;
  TextBox& neighbour = world.addField("F0");
  TextBox& field = world.addField("F1");
  void SetUp() override { neighbour.setText("0001"); }
};

TEST_F(Formatting, WithoutAFormatTheTextIsCutToMaxLengthBytes) {
  const FormatCase cases[] = {
      {"", "ＡＢＣＤＥ", "ＡＢＣ", 6},
      {"", "ＡＢＣＤＥ", "ＡＢ", 5},  // a double-byte character across the cut is dropped whole
      {"", "12ＡＢ", "12Ａ", 5},
      {"", "ｱｲｳｴｵｶｷ", "ｱｲｳｴｵｶ", 6},
      {"", " 12 ", " 12 ", 6},  // fits: kept, blanks included
      {"", "1234567", "123456", 6},
      {"", "", "", 6},
      {"", "ＡＢＣＤＥ", "ＡＢＣＤＥ", 0},  // no limit
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, FourDigitYearDates) {
  const FormatCase cases[] = {
      {"yyyy/mm/dd", "20011207", "2001/12/07"},      {"yyyy/mm/dd", "20011332", "20011332"},
      {"yyyy/mm/dd", "20011131", "20011131"},        {"yyyy/mm/dd", "0112", "0112"},
      {"yyyy/mm/dd", "2001127", "2001127"},          {"yyyy/mm/dd", "2001/12/07", "2001/12/07"},
      {"yyyy/mm/dd", "2001/1/7", "2001/01/07"},      {"yyyy/mm/dd", " 2001/1/7 ", "2001/01/07"},
      {"yyyy/mm/dd", "2001/2/30", "2001/2/30"},      {"yyyy/mm/dd", "01/1/7", "2001/01/07"},
      {"yyyy/mm/dd", "011207", "2001/12/07"},        {"yyyy/mm/dd", "291231", "2029/12/31"},
      {"yyyy/mm/dd", "300101", "1930/01/01"},        {"yyyy/mm/dd", "991231", "1999/12/31"},
      {"yyyy/mm/dd", "20000229", "2000/02/29"},      {"yyyy/mm/dd", "20240229", "2024/02/29"},
      {"yyyy/mm/dd", "20230229", "20230229"},        {"yyyy/mm/dd", "19000229", "19000229"},
      {"yyyy/mm/dd", "21000229", "21000229"},        {"yyyy/mm/dd", "99991231", "9999/12/31"},
      {"yyyy/mm/dd", "00011207", "00011207"},  // year 1 is outside the dates the program handles
      {"yyyy/mm/dd", "20010007", "20010007"},        {"yyyy/mm/dd", "20011200", "20011200"},
      {"yyyy/mm/dd", "2001120a", "2001120a"},        {"yyyy/mm/dd", "２００１１２０７", "２００１１２０７"},
      {"yyyy/mm/dd", "abc/def", "abc/def"},          {"yyyy/mm/dd", "", ""},
      {"yyyy/mm/dd", "2001/12/07", "2001/12/07", 8},  // does not fit
      {"yyyy/mm/dd", "2001/1/7", "2001/1/7", 9},      // would not fit once written out
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, TwoDigitYearDates) {
  const FormatCase cases[] = {
      {"yy/mm/dd", "011207", "01/12/07", 8},
      {"yy/mm/dd", "20011207", "01/12/07", 8},
      {"yy/mm/dd", "000229", "00/02/29", 8},
      {"yy/mm/dd", "240229", "24/02/29", 8},
      {"yy/mm/dd", "230229", "230229", 8},
      {"yy/mm/dd", "991231", "99/12/31", 8},
      {"yy/mm/dd", "011301", "011301", 8},
      {"yy/mm/dd", "01/1/7", "01/01/07", 8},
      {"yy/mm/dd", "2001/1/7", "01/01/07", 8},
      {"yy/mm/dd", "12/07", "12/07", 8},  // a month and day has no year to write
      {"yy/mm/dd", "12345", "12345", 8},
      {"yy/mm/dd", "", "", 8},
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, MonthAndDay) {
  const FormatCase cases[] = {
      {"mm/dd", "1207", "12/07", 5},
      {"mm/dd", "1/7", "01/07", 5},
      {"mm/dd", "12/7", "12/07", 5},
      {"mm/dd", "007/07", "07/07", 5},
      {"mm/dd", "/7", "/7", 5},
      {"mm/dd", "1/", "1/", 5},
      {"mm/dd", "1/2/3", "1/2/3", 5},
      {"mm/dd", "1307", "1307", 5},
      {"mm/dd", "1232", "1232", 5},
      {"mm/dd", "0229", "02/29", 5},  // a month and day without a year: 29 February exists
      {"mm/dd", "0230", "0230", 5},
      {"mm/dd", "0431", "0431", 5},
      {"mm/dd", "123", "123", 5},
      {"mm/dd", "12071", "12071", 5},
      {"mm/dd", "a/b", "a/b", 5},
      {"mm/dd", "2001/12/07", "2001/12/07", 5},  // a second slash: left as typed
      {"mm/dd", "", "", 5},
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, YearAndMonth) {
  const FormatCase cases[] = {
      {"yyyy/mm", "9112", "1991/12", 7},
      {"yyyy/mm", "9012", "2090/12", 7},
      {"yyyy/mm", "0101", "2001/01", 7},
      {"yyyy/mm", "9912", "1999/12", 7},
      {"yyyy/mm", "200112", "2001/12", 7},
      {"yyyy/mm", "2001/1", "2001/01", 7},
      {"yyyy/mm", "2001/12", "2001/12", 7},
      {"yyyy/mm", "9113", "9113", 7},
      {"yyyy/mm", "200113", "200113", 7},
      {"yyyy/mm", "20011", "20011", 7},
      {"yyyy/mm", "/12", "/12", 7},
      {"yyyy/mm", "2001/", "2001/", 7},
      {"yyyy/mm", "2001/1/7", "2001/1/7", 7},
      {"yyyy/mm", "01/12", "01/12", 7},  // read as a month and day, which has no year to write
      {"yyyy/mm", "", "", 7},
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, HoursAndMinutes) {
  const FormatCase cases[] = {
      {"hh:mm", "0930", "09:30", 5},
      {"hh:mm", "2359", "23:59", 5},
      {"hh:mm", "0000", "00:00", 5},
      {"hh:mm", "2400", "2400", 5},
      {"hh:mm", "0960", "0960", 5},
      {"hh:mm", "9:30", "9:30", 5},  // typed with a colon: left as typed
      {"hh:mm", "12345", "12345", 5},
      {"hh:mm", "093000", "093000", 6},  // six digits are no time
      {"hh:mm", "200112", "200112", 7},
      {"hh:mm", "930", "930", 5},
      {"hh:mm", "", "", 5},
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, AnUnknownFormatLeavesTheValue) {
  const FormatCase cases[] = {
      {"dd/mm/yyyy", "20011207", "20011207"},
      {"YYYY/MM/DD", "2001/1/7", "2001/1/7"},
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, AWellFormedValueIsLeftAsItIs) {
  const FormatCase cases[] = {
      {"yyyy/mm/dd", "2001/12/07", "2001/12/07"},
      {"yy/mm/dd", "01/12/07", "01/12/07", 8},
      {"mm/dd", "12/07", "12/07", 5},
      {"yyyy/mm", "2001/12", "2001/12", 7},
  };
  run(std::begin(cases), std::end(cases));
}

TEST_F(Formatting, ARowThatDoesNotExistIsAFault) {
  EXPECT_THROW(FormatFieldValue(world.screen, 2), FieldTableError);
  EXPECT_THROW(FormatFieldValue(world.screen, -1), FieldTableError);
}

}  // namespace
}  // namespace mnt4820
