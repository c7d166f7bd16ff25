#include <gtest/gtest.h>

#include "profile/cProfile.h"

namespace mnt4820 {
namespace {

TEST(cProfile, TakesItsTextsFromTheWorkstationFacts) {
  platform::WorkstationFacts facts;
  facts.systemName = "Linux";
  facts.release = "6.1.0-18-amd64";
  facts.version = "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1";
  facts.hostName = "edi-ws01";
  facts.domainName = "example.co.jp";
  facts.userName = "operator";
  const cProfile p(facts);
  EXPECT_EQ(p.OS(), "Unknown OS");
  EXPECT_EQ(p.Ver(), "6.1");
  EXPECT_EQ(p.Build(), "0");
  EXPECT_EQ(p.CSDVer(), facts.version);
  EXPECT_EQ(p.Domain(), "example.co.jp");
  EXPECT_EQ(p.machine(), "edi-ws01");
  EXPECT_EQ(p.User(), "operator");
}

TEST(cProfile, MissingFactsLeaveTheirTextsEmpty) {
  const cProfile p(platform::WorkstationFacts{});
  EXPECT_EQ(p.OS(), "Unknown OS");
  EXPECT_EQ(p.Ver(), "");
  EXPECT_EQ(p.Build(), "");
  EXPECT_EQ(p.machine(), "");
  EXPECT_EQ(p.Domain(), "");
}

TEST(cProfile, ThisWorkstationHasAComputerName) {
  const cProfile p;
  EXPECT_FALSE(p.machine().empty());
  EXPECT_EQ(LoadProfile(), p.machine());
}

}  // namespace
}  // namespace mnt4820
