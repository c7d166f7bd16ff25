// Launches one command as the operator would and times it from outside, on the wall clock:
//
//   bench_launch --moments SECONDS PROGRAM [ARGUMENTS…]   the program, with MNT4820_TRACE set, until it has
//       written both moments "grid-painted" and "listing-complete"; then it is ended. Prints
//       "PAINTED_MS COMPLETE_MS PEAK_RSS_MB CPU_MS", the times counted from the launch, CPU_MS the CPU time the
//       program had used when it was ended (steadier than the wall clock on a loaded machine).
//   bench_launch --save SECONDS DRIVER PROGRAM [ARGUMENTS…]   the same start-up; once its listing is complete,
//       DRIVER (a command, its output passed on to stderr) drives a save through the window, and the program runs
//       until the save's moment "save-stored" has been followed by the reloaded listing's "listing-first-rows"
//       and "listing-complete". Prints the four figures above, the peak and CPU time over the whole run, then
//       "RELOAD_FIRST_MS RELOAD_COMPLETE_MS", counted from "save-stored", and "STARTUP_PEAK_RSS_MB", the peak
//       when the start-up's listing was complete (the save's share of the peak is the difference).
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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point then) {
  return std::chrono::duration<double, std::milli>(then - start).count();
}

// The moments' times are on the same monotonic clock as Clock (steady_clock reads CLOCK_MONOTONIC).
Clock::time_point fromNanoseconds(long long ns) { return Clock::time_point(std::chrono::nanoseconds(ns)); }

// Every moment in the order written: a reload writes the listing's moments again.
class Moments {
 public:
  void add(std::string name, Clock::time_point at) { moments_.emplace_back(std::move(name), at); }

  // The position of the first moment NAME at or after position `from`.
  std::optional<std::size_t> find(const std::string& name, std::size_t from = 0) const {
    for (std::size_t i = from; i < moments_.size(); ++i) {
      if (moments_[i].first == name) return i;
    }
    return std::nullopt;
  }

  // The position of the first NAME after the moment at `from`.
  std::optional<std::size_t> findAfter(const std::string& name, std::optional<std::size_t> from) const {
    return from ? find(name, *from + 1) : std::nullopt;
  }

  Clock::time_point at(std::size_t position) const { return moments_[position].second; }

 private:
  std::vector<std::pair<std::string, Clock::time_point>> moments_;
};

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

// The driver of the save runs beside the program; what it says goes to stderr, so that stdout keeps the figures.
pid_t launchDriver(const char* command) {
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execl("/bin/sh", "sh", "-c", command, static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Reads the command's stderr until `done` says so or the pipe closes; moments are collected, other lines
// passed on. Returns false when the time ran out. `done` is asked at least every 100 ms, also when the command
// is silent.
template <class Done>
bool readStderr(int fd, Clock::time_point deadline, Moments& moments, Done done) {
  std::string pending;
  char buffer[4096];
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(std::min<long long>(left, 100))) <= 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return true;
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      const std::string line = pending.substr(0, end);
      std::istringstream in(line);
      std::string tag, name;
      long long ns = 0;
      if (in >> tag >> name >> ns && tag == "mnt4820-moment") {
        moments.add(name, fromNanoseconds(ns));
      } else {
        std::fprintf(stderr, "%s\n", line.c_str());
      }
    }
  }
  return true;
}

// The process's peak RSS so far (VmHWM), read while it runs.
double peakMbSoFar(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;  // the program has gone, and the launch fails as it ended before the reload
}

double peakMb(const rusage& usage) { return static_cast<double>(usage.ru_maxrss) / 1024.0; }

double cpuMs(const rusage& usage) {
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

enum class Mode { Moments, Save, Exit };

std::optional<Mode> modeOf(const char* option) {
  if (std::strcmp(option, "--moments") == 0) return Mode::Moments;
  if (std::strcmp(option, "--save") == 0) return Mode::Save;
  if (std::strcmp(option, "--exit") == 0) return Mode::Exit;
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Mode> mode = argc >= 4 ? modeOf(argv[1]) : std::nullopt;
  if (!mode || (*mode == Mode::Save && argc < 5)) {
    std::fprintf(stderr,
                 "usage: bench_launch --moments|--exit SECONDS COMMAND [ARGUMENTS...]\n"
                 "       bench_launch --save SECONDS DRIVER PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  const bool traced = *mode != Mode::Exit;
  const auto deadline = Clock::now() + std::chrono::seconds(std::atoi(argv[2]));
  const char* driver = *mode == Mode::Save ? argv[3] : nullptr;
  char** command = argv + (driver ? 4 : 3);
  pid_t driverPid = -1;
  try {
    const Clock::time_point start = Clock::now();
    const Launched launched = launch(command, traced);
    Moments moments;
    bool inTime = readStderr(launched.stderrFd, deadline, moments, [&] {
      return traced && moments.find("grid-painted") && moments.find("listing-complete");
    });
    // The reload is the listing's first rows and last row after the save's statements.
    const auto stored = [&] { return moments.find("save-stored"); };
    const auto reloaded = [&] {
      return moments.findAfter("listing-first-rows", stored()) && moments.findAfter("listing-complete", stored());
    };
    bool driverFailed = false;
    double startupPeakMb = 0;
    if (driver && inTime && moments.find("listing-complete")) {
      startupPeakMb = peakMbSoFar(launched.pid);
      driverPid = launchDriver(driver);
      inTime = readStderr(launched.stderrFd, deadline, moments, [&] {
        int status = 0;
        if (driverPid > 0 && waitpid(driverPid, &status, WNOHANG) == driverPid) {
          driverPid = -1;
          driverFailed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
        }
        return reloaded() || driverFailed;
      });
    }
    // The program stays up once its window is shown: it is ended here, with its peak so far.
    if (traced || !inTime) kill(launched.pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(launched.pid, &status, 0, &usage);
    const Clock::time_point exited = Clock::now();
    close(launched.stderrFd);
    if (driverPid > 0) {
      kill(driverPid, SIGKILL);
      waitpid(driverPid, nullptr, 0);
    }
    if (!inTime) throw std::runtime_error("timed out");
    if (driverFailed) throw std::runtime_error("the driver of the save failed");
    if (traced) {
      const auto painted = moments.find("grid-painted"), complete = moments.find("listing-complete");
      if (!painted || !complete) throw std::runtime_error("the program ended before both moments");
      if (driver && !reloaded()) throw std::runtime_error("the program ended before the reload");
      std::printf("%.1f %.1f %.1f %.1f", msSince(start, moments.at(*painted)), msSince(start, moments.at(*complete)),
                  peakMb(usage), cpuMs(usage));
      if (driver) {
        const Clock::time_point saved = moments.at(*stored());
        std::printf(" %.1f %.1f %.1f", msSince(saved, moments.at(*moments.findAfter("listing-first-rows", stored()))),
                    msSince(saved, moments.at(*moments.findAfter("listing-complete", stored()))), startupPeakMb);
      }
      std::printf("\n");
    } else {
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the command failed");
      std::printf("%.1f %.1f\n", msSince(start, exited), peakMb(usage));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_launch %s: %s\n", command[0], e.what());
    return 1;
  }
  return 0;
}
