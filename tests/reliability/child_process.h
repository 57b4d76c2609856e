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

// A program run the way a user runs it, in a child process with standard input from /dev/null.
// The child gets SIGALRM at `deadline` (the alarm outlives exec): a guard against a child that
// blocks, e.g. on a FIFO, not a speed check.
class ChildProcess {
public:
    // Starts `argv` (argv[0] is the program's path); `setup` runs in the child before exec.
    // Output goes to files in `scratch`, or to /dev/null when `scratch` is empty.
    ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& scratch,
                 const std::function<void()>& setup = {},
                 std::chrono::seconds deadline = std::chrono::seconds(60));
    // Kills and reaps a child that is still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Sends a signal to a child not yet reaped.
    void kill(int signal);
    // Waits for the child to end and returns how it ended and what it wrote.
    ChildExit wait();

    // Runs `body` in a forked child (no exec) and returns, as `out`, the text it returned or
    // the exception it threw. Process-wide changes (limits, namespaces) stay in the child,
    // which ends with _exit so nothing of the test process is torn down twice.
    static ChildExit runFunction(const std::function<std::string()>& body,
                                 std::chrono::seconds deadline = std::chrono::seconds(60));

private:
    pid_t pid_ = -1;
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
};

}  // namespace orvendel
