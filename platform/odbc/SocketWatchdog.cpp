#include "platform/odbc/SocketWatchdog.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <utility>

namespace platform::odbc {

namespace {

std::optional<SocketWatchdog::Socket> tcpSocket(int fd) {
  struct stat status{};
  if (fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode)) return std::nullopt;
  int domain = 0;
  int type = 0;
  socklen_t size = sizeof domain;
  if (getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &size) != 0 || (domain != AF_INET && domain != AF_INET6)) {
    return std::nullopt;
  }
  size = sizeof type;
  if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &size) != 0 || type != SOCK_STREAM) return std::nullopt;
  return SocketWatchdog::Socket{fd, status.st_ino};
}

}  // namespace

std::vector<SocketWatchdog::Socket> SocketWatchdog::networkSockets() {
  std::vector<Socket> sockets;
  DIR* folder = opendir("/proc/self/fd");
  if (folder == nullptr) return sockets;
  const int own = dirfd(folder);
  while (const dirent* entry = readdir(folder)) {
    char* end = nullptr;
    const long fd = std::strtol(entry->d_name, &end, 10);
    if (*end != '\0' || end == entry->d_name || fd == own) continue;
    if (const auto socket = tcpSocket(static_cast<int>(fd))) sockets.push_back(*socket);
  }
  closedir(folder);
  return sockets;
}

SocketWatchdog::SocketWatchdog(std::vector<Socket> sockets) : sockets_(std::move(sockets)) {}

SocketWatchdog::~SocketWatchdog() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  thread_.join();
}

void SocketWatchdog::arm(std::chrono::seconds limit) {
  if (sockets_.empty() || limit.count() <= 0) return;
  {
    const std::lock_guard lock(mutex_);
    deadline_ = std::chrono::steady_clock::now() + limit;
    fired_ = false;
  }
  if (!thread_.joinable()) thread_ = std::thread([this] { watch(); });
  changed_.notify_one();
}

bool SocketWatchdog::disarm() {
  const std::lock_guard lock(mutex_);
  deadline_.reset();
  return std::exchange(fired_, false);
}

void SocketWatchdog::watch() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!deadline_) {
      changed_.wait(lock);
    } else if (changed_.wait_until(lock, *deadline_) == std::cv_status::timeout && deadline_ &&
               std::chrono::steady_clock::now() >= *deadline_) {
      // A number the driver has closed meanwhile may belong to another socket by now: only the same one is
      // shut down.
      for (const Socket& socket : sockets_) {
        if (tcpSocket(socket.fd) == socket) shutdown(socket.fd, SHUT_RDWR);
      }
      deadline_.reset();
      fired_ = true;
    }
  }
}

}  // namespace platform::odbc
