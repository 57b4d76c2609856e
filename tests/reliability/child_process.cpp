// SPDX-License-Identifier: MIT
#include "child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orvendel {

namespace {

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// In the child: points `target` at `path` (created afresh), or at /dev/null for an empty path.
void redirect(int target, const std::filesystem::path& path, int flags) {
    const int file = path.empty() ? ::open("/dev/null", flags)
                                  : ::open(path.c_str(), flags | O_CREAT | O_TRUNC, 0600);
    if (file < 0 || ::dup2(file, target) < 0)
        ::_exit(126);
    ::close(file);
}

}  // namespace

ChildProcess::ChildProcess(const std::function<void()>& body, const std::filesystem::path& scratch,
                           std::chrono::seconds deadline) {
    if (!scratch.empty()) {
        outPath_ = scratch / "child-stdout.txt";
        errPath_ = scratch / "child-stderr.txt";
    }
    std::fflush(nullptr);  // or the child writes out the parent's buffered output too
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        redirect(0, {}, O_RDONLY);
        redirect(1, outPath_, O_WRONLY);
        redirect(2, errPath_, O_WRONLY);
        ::alarm(static_cast<unsigned>(deadline.count()));
        try {
            body();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "exception in the child: %s\n", error.what());
            std::fflush(nullptr);
            ::_exit(125);
        }
        std::fflush(nullptr);
        ::_exit(0);
    }
}

std::function<void()> ChildProcess::cli(std::vector<std::string> args,
                                        std::function<void()> setup) {
    return [args, setup] {
        std::vector<char*> argv{const_cast<char*>(ORVENDEL_CLI_PATH)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        if (setup)
            setup();
        ::execv(argv[0], argv.data());
        ::_exit(127);
    };
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

void ChildProcess::kill(int signal) {
    if (pid_ > 0)
        ::kill(pid_, signal);
}

ChildExit ChildProcess::wait() {
    ChildExit result;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("waitpid failed");
    }
    pid_ = -1;
    if (WIFEXITED(status))
        result.code = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    if (!outPath_.empty()) {
        result.out = readAll(outPath_);
        result.err = readAll(errPath_);
    }
    return result;
}

}  // namespace orvendel
