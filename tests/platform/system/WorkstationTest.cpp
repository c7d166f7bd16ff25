#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/system/Workstation.h"

namespace {

TEST(KernelRelease, ReadsTheLeadingNumbers) {
  struct Case {
    const char* release;
    unsigned major, minor, build;
  };
  const Case cases[] = {
      {"6.1.0-18-amd64", 6, 1, 0},
      {"5.15.0", 5, 15, 0},
      {"5.15.146.1-microsoft-standard-WSL2", 5, 15, 146},
      {"3.10.0-1160.el7.x86_64", 3, 10, 0},
      {"4.19", 4, 19, 0},
      {"4.19+", 4, 19, 0},
      {"6", 6, 0, 0},
      {"6.", 6, 0, 0},
      {"10.0.19045", 10, 0, 19045},
      {"", 0, 0, 0},
      {"abc", 0, 0, 0},
      {"-1.2.3", 0, 0, 0},
      {"7.99999999999.1", 7, 0, 0},  // too large for its part
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.release);
    const platform::VersionNumbers version = platform::parseKernelRelease(c.release);
    EXPECT_EQ(version.major, c.major);
    EXPECT_EQ(version.minor, c.minor);
    EXPECT_EQ(version.build, c.build);
  }
}

TEST(DomainName, TakesTheFirstSourceThatHasOne) {
  struct Case {
    const char* systemHostName;
    const char* nisDomainName;
    const char* expected;
  };
  const Case cases[] = {
      {"ws01.edi.example.jp", "nis", "edi.example.jp"},
      {"ws01", "corp", "corp"},
      {"ws01", "(none)", ""},
      {"ws01", "", ""},
      {"", "", ""},
      {"ws01.", "(none)", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::chooseDomainName(c.systemHostName, c.nisDomainName), c.expected)
        << c.systemHostName << " | " << c.nisDomainName;
  }
}

TEST(WorkstationFacts, ComeFromTheRunningSystem) {
  const platform::WorkstationFacts facts = platform::readWorkstationFacts();

  utsname system{};
  ASSERT_EQ(uname(&system), 0);
  EXPECT_EQ(facts.systemName, system.sysname);
  EXPECT_EQ(facts.release, system.release);
  EXPECT_EQ(facts.version, system.version);
  EXPECT_GE(platform::parseKernelRelease(facts.release).major, 2u);

  char hostName[HOST_NAME_MAX + 1] = {};
  ASSERT_EQ(gethostname(hostName, sizeof hostName - 1), 0);
  const std::string fullName = hostName;
  EXPECT_EQ(facts.hostName, fullName.substr(0, fullName.find('.')));
  EXPECT_EQ(facts.hostName.find('.'), std::string::npos);
  EXPECT_NE(facts.domainName, "(none)");

  const passwd* entry = getpwuid(geteuid());
  if (entry == nullptr) GTEST_SKIP() << "the effective user has no password entry";
  EXPECT_EQ(facts.userName, entry->pw_name);
}

}  // namespace
