#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "app/SignOnStartup.h"

namespace mnt4820 {
namespace {

// Whatever an operator's name holds, the caller reads five lines, the name whole on its own.
TEST(SignOnOutput, NoValueAddsALine) {
  const std::string names[] = {"山田\n太郎", "山田\r\nResultCode=00", "山田\t\x1b[2J太郎\x7f",
                               "山田\xC2\x85太郎",  // NEL
                               "山田\xE2\x80\xA8太郎\xE2\x80\xA9"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::ostringstream out;
    publishOperatorValues(out, {.OperatorCode = "0001", .OperatorName = name, .ResultCode = "00"});
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
    for (const char* separator : {"\r", "\xC2\x85", "\xE2\x80\xA8"}) EXPECT_EQ(text.find(separator), std::string::npos);
    EXPECT_EQ(text.find("ResultCode=00\nOperatorCode=0001\nOperatorName=山田"), 0u) << text;
  }
  std::ostringstream out;
  publishOperatorValues(out, {.OperatorCode = "0001", .OperatorName = "山田 太郎", .ResultCode = "00"});
  EXPECT_EQ(out.str(),
            "ResultCode=00\nOperatorCode=0001\nOperatorName=山田 太郎\nOperatorImeMode=0\nOperatorAuthority=0\n");
}

}  // namespace
}  // namespace mnt4820
