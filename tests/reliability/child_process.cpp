#include "child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

pid_t forkOrThrow() {
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    return pid;
}

// Waits for `pid` and fills the exit fields of `result`.
void reap(pid_t pid, ChildExit& result) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("waitpid failed");
    }
    if (WIFEXITED(status))
        result.code = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::filesystem::path& scratch, const std::function<void()>& setup,
                           std::chrono::seconds deadline) {
    if (!scratch.empty()) {
        outPath_ = scratch / "child-stdout.txt";
        errPath_ = scratch / "child-stderr.txt";
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = forkOrThrow();
    if (pid_ == 0) {
        redirect(0, {}, O_RDONLY);
        redirect(1, outPath_, O_WRONLY);
        redirect(2, errPath_, O_WRONLY);
        if (setup)
            setup();
        ::alarm(static_cast<unsigned>(deadline.count()));
        ::execv(args[0], args.data());
        ::_exit(127);
    }
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
    reap(pid_, result);
    pid_ = -1;
    if (!outPath_.empty()) {
        result.out = readAll(outPath_);
        result.err = readAll(errPath_);
    }
    return result;
}

ChildExit ChildProcess::runFunction(const std::function<std::string()>& body,
                                    std::chrono::seconds deadline) {
    int channel[2];
    if (::pipe(channel) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = forkOrThrow();
    if (pid == 0) {
        ::close(channel[0]);
        ::alarm(static_cast<unsigned>(deadline.count()));
        std::string text;
        try {
            text = body();
        } catch (const std::exception& error) {
            text = std::string("exception in the child: ") + error.what();
        }
        for (std::size_t done = 0; done < text.size();) {
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
    // The child's end (or its alarm) closes the pipe.
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            result.out.append(buffer, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    reap(pid, result);
    return result;
}

}  // namespace orvendel
