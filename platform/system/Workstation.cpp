#include "platform/system/Workstation.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

std::string_view domainPart(std::string_view fullName) {
  const std::size_t dot = fullName.find('.');
  return dot == std::string_view::npos ? std::string_view() : fullName.substr(dot + 1);
}

std::string systemHostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string nisDomainName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (getdomainname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string passwordEntryName() {
  const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
  return found->pw_name != nullptr ? found->pw_name : "";
}

std::string loginName() {
  char name[LOGIN_NAME_MAX + 1] = {};
  if (getlogin_r(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string userName() {
  if (std::string name = passwordEntryName(); !name.empty()) return name;
  if (std::string name = loginName(); !name.empty()) return name;
  const char* fromEnvironment = std::getenv("USER");
  return fromEnvironment != nullptr ? fromEnvironment : "";
}

}  // namespace

std::string chooseDomainName(std::string_view systemHostName, std::string_view nisDomainName) {
  if (const std::string_view domain = domainPart(systemHostName); !domain.empty()) return std::string(domain);
  if (nisDomainName == "(none)") return {};
  return std::string(nisDomainName);
}

WorkstationFacts readWorkstationFacts() {
  WorkstationFacts facts;
  utsname system{};
  if (uname(&system) == 0) {
    facts.systemName = system.sysname;
    facts.release = system.release;
    facts.version = system.version;
  }
  const std::string fullHostName = systemHostName();
  facts.hostName = fullHostName.substr(0, fullHostName.find('.'));
  // No resolver look-up: with the network down it would hold the start-up for the resolver's time-out.
  facts.domainName = chooseDomainName(fullHostName, nisDomainName());
  facts.userName = userName();
  return facts;
}

VersionNumbers parseKernelRelease(std::string_view release) {
  unsigned parts[3] = {0, 0, 0};
  const char* position = release.data();
  const char* const end = release.data() + release.size();
  for (std::size_t i = 0; i < 3; ++i) {
    const std::from_chars_result parsed = std::from_chars(position, end, parts[i]);
    if (parsed.ec != std::errc()) {
      parts[i] = 0;
      break;
    }
    position = parsed.ptr;
    if (position == end || *position != '.') break;
    ++position;
  }
  return VersionNumbers{parts[0], parts[1], parts[2]};
}

}  // namespace platform
