#pragma once

#include <atomic>
#include <thread>
#include <vector>

namespace mnt4820::test {

// A TCP proxy on 127.0.0.1 to a server on 127.0.0.1 that, once stalled, keeps its connections open and forwards
// nothing more on them, as a dropped VPN or a hung middlebox does. Connections made while it is stalled are
// accepted and get nothing either; after resume() new ones are forwarded again, the stalled ones never.
class StallingProxy {
 public:
  explicit StallingProxy(int serverPort);
  ~StallingProxy();
  StallingProxy(const StallingProxy&) = delete;
  StallingProxy& operator=(const StallingProxy&) = delete;

  int port() const { return port_; }
  void stall() { stalled_ = true; }
  void resume() { stalled_ = false; }

 private:
  struct Link {
    int client;
    int server;
    bool stalled;
  };
  void run();

  int serverPort_;
  int listener_;
  int port_ = 0;
  std::atomic<bool> stalled_{false};
  std::atomic<bool> stopping_{false};
  std::vector<Link> links_;
  std::thread thread_;
};

}  // namespace mnt4820::test
