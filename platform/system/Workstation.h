#pragma once

#include <string>
#include <string_view>

namespace platform {

// What the operating system tells about the workstation; each text is empty when unavailable.
struct WorkstationFacts {
  std::string systemName;  // uname sysname, e.g. "Linux"
  std::string release;     // uname release, e.g. "6.1.0-18-amd64"
  std::string version;     // uname version
  std::string hostName;    // without its domain
  std::string domainName;  // DNS domain, else the NIS domain
  std::string userName;    // login name of the effective user
};

// Never throws: a fact the system does not supply stays empty.
WorkstationFacts readWorkstationFacts();

struct VersionNumbers {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
};

// "6.1.0-18-amd64" gives 6, 1, 0; missing or unreadable parts are 0.
VersionNumbers parseKernelRelease(std::string_view release);

// The domain from the first source that has one: the host name as the system holds it (when it is
// fully qualified), then the NIS domain, where "(none)" is the kernel's word for no domain.
std::string chooseDomainName(std::string_view systemHostName, std::string_view nisDomainName);

}  // namespace platform
