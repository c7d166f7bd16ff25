#include "profile/cProfile.h"

namespace mnt4820 {

cProfile::cProfile() : cProfile(platform::readWorkstationFacts()) {}

cProfile::cProfile(const platform::WorkstationFacts& facts)
    : os_("Unknown OS"),
      csdVer_(facts.version),
      domain_(facts.domainName),
      machine_(facts.hostName),
      user_(facts.userName) {
  if (!facts.release.empty()) {
    const platform::VersionNumbers v = platform::parseKernelRelease(facts.release);
    ver_ = std::to_string(v.major) + "." + std::to_string(v.minor);
    build_ = std::to_string(v.build);
  }
}

std::string LoadProfile() { return cProfile().machine(); }

}  // namespace mnt4820
