#pragma once

#include <string>

#include "platform/system/Workstation.h"

namespace mnt4820 {

// What the program learns about the workstation, gathered once when the instance is made.
// The operating-system family is one of "Windows9x", "WindowsNT" and "Unknown OS"; a Linux desktop
// belongs to neither Windows family.
class cProfile {
 public:
  cProfile();
  explicit cProfile(const platform::WorkstationFacts& facts);

  const std::string& Build() const { return build_; }
  const std::string& CSDVer() const { return csdVer_; }
  const std::string& machine() const { return machine_; }
  const std::string& Domain() const { return domain_; }
  const std::string& OS() const { return os_; }
  const std::string& User() const { return user_; }
  const std::string& Ver() const { return ver_; }

 private:
  std::string os_;
  std::string ver_;
  std::string build_;
  std::string csdVer_;
  std::string domain_;
  std::string machine_;
  std::string user_;
};

// Makes one profile and hands back its computer name, under which the database environment is opened.
std::string LoadProfile();

}  // namespace mnt4820
