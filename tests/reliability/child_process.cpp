#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace orvendel {

namespace {

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Points `target` at a freshly created file, or at /dev/null for an empty path.
void redirect(int target, const std::filesystem::path& path) {
    const int file = path.empty() ? ::open("/dev/null", O_WRONLY)
                                  : ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (file < 0 || ::dup2(file, target) < 0)
        ::_exit(126);
    ::close(file);
}

// Waits for `pid` until the deadline, then kills it. Fills the exit fields of `result`.
void reap(pid_t pid, std::chrono::milliseconds deadline, ChildExit& result) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0)
            throw std::runtime_error("waitpid failed");
        if (std::chrono::steady_clock::now() >= end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (WIFEXITED(status)) {
        result.exited = true;
        result.code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::filesystem::path& scratch,
                           const std::function<void()>& setup) {
    if (!scratch.empty()) {
        outPath_ = scratch / "child-stdout.txt";
        errPath_ = scratch / "child-stderr.txt";
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        if (in < 0 || ::dup2(in, 0) < 0)
            ::_exit(126);
        redirect(1, outPath_);
        redirect(2, errPath_);
        if (setup)
            setup();
        ::execv(args[0], args.data());
        ::_exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !reaped_) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

void ChildProcess::kill(int signal) {
    if (pid_ > 0 && !reaped_)
        ::kill(pid_, signal);
}

ChildExit ChildProcess::wait(std::chrono::milliseconds deadline) {
    ChildExit result;
    reap(pid_, deadline, result);
    reaped_ = true;
    if (!outPath_.empty()) {
        result.out = readAll(outPath_);
        result.err = readAll(errPath_);
    }
    return result;
}

ChildExit ChildProcess::runFunction(const std::function<std::string()>& body,
                                    std::chrono::milliseconds deadline) {
    int channel[2];
    if (::pipe(channel) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::close(channel[0]);
        std::string text;
        try {
            text = body();
        } catch (const std::exception& error) {
            text = std::string("exception in the child: ") + error.what();
        }
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(channel[1], text.data() + done, text.size() - done);
            if (n <= 0)
                ::_exit(125);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    ChildExit result;
    char buffer[4096];
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        // A child that hangs is killed at the deadline; its end closes the pipe.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd ready{channel[0], POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0))) == 0) {
            ::kill(pid, SIGKILL);
            result.timedOut = true;
        }
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n > 0) {
            result.out.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(channel[0]);
    const bool timedOut = result.timedOut;
    reap(pid, deadline, result);
    result.timedOut = result.timedOut || timedOut;
    return result;
}

}  // namespace orvendel
