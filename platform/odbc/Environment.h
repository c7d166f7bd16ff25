#pragma once

#include <memory>

namespace platform::odbc {

class Connection;

// The ODBC 3 environment under which connections are opened. Move-only; a connection
// keeps the environment's handle alive until the connection itself is gone, so the two
// may be destroyed in any order.
class Environment {
 public:
  Environment();
  Environment(Environment&&) noexcept = default;
  Environment& operator=(Environment&&) noexcept = default;
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;
  ~Environment() = default;

  // False only for a moved-from environment.
  bool isValid() const { return handle_ != nullptr; }

 private:
  friend class Connection;
  std::shared_ptr<void> handle_;
};

}  // namespace platform::odbc
