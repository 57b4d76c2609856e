#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvendel {

// How a child process ended.
struct ChildExit {
    bool exited = false;    // ended by exit(); `code` holds its status
    int code = -1;          // exit status when `exited`
    int signal = 0;         // the signal that ended it otherwise
    bool timedOut = false;  // it was still running at the deadline and was killed
    std::string out;        // what it wrote to standard output (when captured)
    std::string err;        // what it wrote to standard error (when captured)
};

// A program run in a child process with standard input from /dev/null and its output captured
// in files of a scratch folder. Used to run orvendel-cli the way a user does, to kill it at
// chosen moments, and to run code under process-wide limits (RLIMIT_FSIZE, namespaces) that
// must not touch the test process itself.
class ChildProcess {
public:
    // Starts `argv` (argv[0] is the program's path). `setup` runs in the child between fork
    // and exec; output goes to files in `scratch`, or to /dev/null when `scratch` is empty.
    ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& scratch,
                 const std::function<void()>& setup = {});
    // Kills and reaps a child that is still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Sends a signal to the child.
    void kill(int signal);
    // Waits for the child to end, killing it with SIGKILL when it is still running at
    // `deadline` (a guard against a child that blocks, e.g. on a FIFO; not a speed check).
    ChildExit wait(std::chrono::milliseconds deadline = std::chrono::seconds(60));

    // Runs `body` in a forked child (no exec) and returns the text it produced: body's result
    // is sent back through a pipe. The child ends with _exit, so nothing of the test process
    // (its temporary folders, its test results) is touched by the child's exit.
    static ChildExit runFunction(const std::function<std::string()>& body,
                                 std::chrono::milliseconds deadline = std::chrono::seconds(60));

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
};

}  // namespace orvendel
