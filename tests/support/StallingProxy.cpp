#include "tests/support/StallingProxy.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace mnt4820::test {

namespace {

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// Passes what `from` has to `to`; false when `from` has closed.
bool forward(int from, int to) {
  char buffer[16384];
  const ssize_t length = read(from, buffer, sizeof buffer);
  return length > 0 && write(to, buffer, static_cast<std::size_t>(length)) == length;
}

}  // namespace

StallingProxy::StallingProxy(int serverPort) : serverPort_(serverPort), listener_(socket(AF_INET, SOCK_STREAM, 0)) {
  sockaddr_in address = loopback(0);
  socklen_t size = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener_, 8) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("the proxy cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { run(); });
}

StallingProxy::~StallingProxy() {
  stopping_ = true;
  thread_.join();
  for (const Link& link : links_) {
    close(link.client);
    close(link.server);
  }
  close(listener_);
}

void StallingProxy::run() {
  while (!stopping_) {
    std::vector<pollfd> watched{{listener_, POLLIN, 0}};
    for (const Link& link : links_) {
      watched.push_back({link.stalled ? -1 : link.client, POLLIN, 0});
      watched.push_back({link.stalled ? -1 : link.server, POLLIN, 0});
    }
    // Wakes often enough to see stall() and the end of the test.
    const int ready = poll(watched.data(), watched.size(), 50);
    for (std::size_t i = 0; i < links_.size(); ++i) {
      Link& link = links_[i];
      link.stalled = link.stalled || stalled_;
      if (ready <= 0 || link.stalled) continue;
      const bool open = (!(watched[2 * i + 1].revents & (POLLIN | POLLHUP)) || forward(link.client, link.server)) &&
                        (!(watched[2 * i + 2].revents & (POLLIN | POLLHUP)) || forward(link.server, link.client));
      if (!open) {
        shutdown(link.client, SHUT_RDWR);
        shutdown(link.server, SHUT_RDWR);
        link.stalled = true;
      }
    }
    if (watched[0].revents & POLLIN) {
      const int client = accept(listener_, nullptr, nullptr);
      const int server = socket(AF_INET, SOCK_STREAM, 0);
      const sockaddr_in address = loopback(serverPort_);
      connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address);
      links_.push_back({client, server, stalled_.load()});
    }
  }
}

}  // namespace mnt4820::test
