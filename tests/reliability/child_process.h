// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvendel {

// How a child process ended.
struct ChildExit {
    int code = -1;    // exit status, or -1 when a signal ended it
    int signal = 0;   // the signal that ended it, 0 when it exited
    std::string out;  // standard output (when captured)
    std::string err;  // standard error (when captured)
    // True when the child was still running at its deadline.
    bool timedOut() const { return signal == SIGALRM; }
};

// Code run in a forked child with standard input from /dev/null: orvendel-cli, or code whose
// process-wide changes (limits, namespaces) must stay out of the test process. SIGALRM ends a
// child that blocks (on a FIFO, say) at `deadline`; the alarm outlives exec.
class ChildProcess {
public:
    // Runs `body` in the child, which then ends with _exit(0) (125 when `body` throws). Output
    // goes to files in `scratch`, or to /dev/null when `scratch` is empty.
    explicit ChildProcess(const std::function<void()>& body,
                          const std::filesystem::path& scratch = {},
                          std::chrono::seconds deadline = std::chrono::seconds(60));
    // Kills and reaps a child that is still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // A body that runs `setup`, then execs orvendel-cli with `args`.
    static std::function<void()> cli(std::vector<std::string> args,
                                     std::function<void()> setup = {});
    // Sends a signal to a child not yet reaped.
    void kill(int signal);
    // Waits for the child to end and returns how it ended and what it wrote.
    ChildExit wait();

private:
    pid_t pid_ = -1;
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
};

}  // namespace orvendel
