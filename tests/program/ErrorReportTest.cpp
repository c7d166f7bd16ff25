#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/odbc/OdbcError.h"
#include "program/ErrorReport.h"

namespace mnt4820 {
namespace {

TEST(ReportCaughtError, WritesOneLineWithWhatWasCaught) {
  struct Case {
    const char* what;
    std::exception_ptr error;
    const char* line;
  };
  const Case cases[] = {
      {"an ODBC error: every record's SQLSTATE, native code and message",
       std::make_exception_ptr(platform::odbc::OdbcError(
           "SQLExecute", {{"HY000", 5, "database is locked"}, {"01000", 0, "statement\nterminated"}})),
       "MNT4820: QueryListing: SQLExecute failed: [HY000] (5) database is locked [01000] (0) statement terminated\n"},
      {"any other error: its text", std::make_exception_ptr(std::runtime_error("LabelBackColor: not a number")),
       "MNT4820: QueryListing: LabelBackColor: not a number\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::internal::CaptureStderr();
    try {
      std::rethrow_exception(c.error);
    } catch (const std::exception& error) {
      reportCaughtError("QueryListing", error);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line);
  }
}

}  // namespace
}  // namespace mnt4820
