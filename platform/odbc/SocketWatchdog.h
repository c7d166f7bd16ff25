#pragma once
// Internal to the ODBC layer.

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace platform::odbc {

// Bounds a call that waits for the server. A driver's own query time-out needs the server to answer (psqlODBC
// has the server cancel the statement), and the operating system notices a dead link only once data sent goes
// unacknowledged: a network that keeps the connection open but forwards nothing leaves the call waiting for
// ever. When a call outlasts its limit, the watchdog shuts down the connection's sockets, whatever the driver:
// the call then returns with a communication error, and the connection is done with.
class SocketWatchdog {
 public:
  // A socket of the process, told apart from a later one under the same number by its inode.
  struct Socket {
    int fd = -1;
    ino_t inode = 0;
    bool operator==(const Socket&) const = default;
  };

  // The process's TCP sockets (IPv4 and IPv6). Those open after a driver connected and not before are the
  // connection's: a local driver has none, and the toolkit's own links (display, message bus) are local sockets
  // or opened before any connection.
  static std::vector<Socket> networkSockets();

  explicit SocketWatchdog(std::vector<Socket> sockets);
  ~SocketWatchdog();
  SocketWatchdog(const SocketWatchdog&) = delete;
  SocketWatchdog& operator=(const SocketWatchdog&) = delete;

  // Starts watching one call: its sockets are shut down unless disarm() comes within `limit` (0: no limit).
  void arm(std::chrono::seconds limit);
  // Ends the watch; whether the sockets were shut down during it (they stay so).
  bool disarm();

 private:
  void watch();

  std::vector<Socket> sockets_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
  bool fired_ = false;
  bool stopping_ = false;
  // Started at the first watch of a connection that has sockets.
  std::thread thread_;
};

}  // namespace platform::odbc
