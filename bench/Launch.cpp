// Launches one command as the operator would and times it from outside, on the wall clock:
//
//   bench_launch --moments SECONDS PROGRAM [ARGUMENTS…]   the program, with MNT4820_TRACE set, until it has
//       written both moments "grid-painted" and "listing-complete"; then it is ended. Prints
//       "PAINTED_MS COMPLETE_MS PEAK_RSS_MB CPU_MS", the times counted from the launch, CPU_MS the CPU time the
//       program had used by then (steadier than the wall clock on a loaded machine).
//   bench_launch --exit SECONDS COMMAND [ARGUMENTS…]      any command until it exits (successfully). Prints
//       "MS PEAK_RSS_MB".
//
// What the command prints goes to /dev/null; every other line it writes to stderr is passed on. After SECONDS the
// command is killed and the launch fails.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point then) {
  return std::chrono::duration<double, std::milli>(then - start).count();
}

// The moments' times are on the same monotonic clock as Clock (steady_clock reads CLOCK_MONOTONIC).
Clock::time_point fromNanoseconds(long long ns) { return Clock::time_point(std::chrono::nanoseconds(ns)); }

struct Launched {
  pid_t pid = -1;
  int stderrFd = -1;
};

Launched launch(char** command, bool traced) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], STDERR_FILENO);
    close(fds[1]);
    // What a command prints (a client's rows) goes where the operator would not look.
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    close(devNull);
    if (traced) setenv("MNT4820_TRACE", "1", 1);
    execvp(command[0], command);
    std::fprintf(stderr, "cannot run %s: %s\n", command[0], std::strerror(errno));
    _exit(127);
  }
  close(fds[1]);
  return {pid, fds[0]};
}

// Reads the command's stderr until `done` says so or the pipe closes; moments are collected, other lines
// passed on. Returns false when the time ran out.
template <class Done>
bool readStderr(int fd, Clock::time_point deadline, std::map<std::string, Clock::time_point>& moments, Done done) {
  std::string pending;
  char buffer[4096];
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return true;
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      const std::string line = pending.substr(0, end);
      std::istringstream in(line);
      std::string tag, name;
      long long ns = 0;
      if (in >> tag >> name >> ns && tag == "mnt4820-moment") {
        moments.emplace(name, fromNanoseconds(ns));
      } else {
        std::fprintf(stderr, "%s\n", line.c_str());
      }
    }
  }
  return true;
}

double peakMb(const rusage& usage) { return static_cast<double>(usage.ru_maxrss) / 1024.0; }

double cpuMs(const rusage& usage) {
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || (std::strcmp(argv[1], "--moments") != 0 && std::strcmp(argv[1], "--exit") != 0)) {
    std::fprintf(stderr, "usage: bench_launch --moments|--exit SECONDS COMMAND [ARGUMENTS...]\n");
    return 2;
  }
  const bool traced = std::strcmp(argv[1], "--moments") == 0;
  const auto deadline = Clock::now() + std::chrono::seconds(std::atoi(argv[2]));
  try {
    const Clock::time_point start = Clock::now();
    const Launched command = launch(argv + 3, traced);
    std::map<std::string, Clock::time_point> moments;
    const bool inTime = readStderr(command.stderrFd, deadline, moments, [&] {
      return traced && moments.count("grid-painted") != 0 && moments.count("listing-complete") != 0;
    });
    // The program stays up once its window is shown: it is ended here, with its peak so far.
    if (traced || !inTime) kill(command.pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(command.pid, &status, 0, &usage);
    const Clock::time_point exited = Clock::now();
    close(command.stderrFd);
    if (!inTime) throw std::runtime_error("timed out");
    if (traced) {
      if (moments.size() < 2) throw std::runtime_error("the program ended before both moments");
      std::printf("%.1f %.1f %.1f %.1f\n", msSince(start, moments["grid-painted"]),
                  msSince(start, moments["listing-complete"]), peakMb(usage), cpuMs(usage));
    } else {
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the command failed");
      std::printf("%.1f %.1f\n", msSince(start, exited), peakMb(usage));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_launch %s: %s\n", argv[3], e.what());
    return 1;
  }
  return 0;
}
