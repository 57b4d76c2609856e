// SPDX-License-Identifier: MIT
// Runs two commands as whole processes, alternating, and compares them:
//   orvendel_process_race ROUNDS -- COMMAND_A ARGS... -- COMMAND_B ARGS...
// Output of both goes to /dev/null. Prints each command's median wall and CPU time and peak
// resident memory, and the medians over rounds of B's time divided by A's in the same round
// (CPU time is the steadier figure on a machine that other work keeps busy).

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double seconds;     // wall time
    double cpuSeconds;  // user and system time of the child
    long peakKiB;
    int status;
};

// Runs `argv` to completion with its output discarded.
Sample runOnce(const std::vector<char*>& argv) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) < 0) {
        std::perror("process_race");
        std::exit(2);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return {took.count(), cpu, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

std::string joined(const std::vector<char*>& argv) {
    std::string text;
    for (const char* a : argv) {
        if (a == nullptr)
            break;
        if (!text.empty())
            text += ' ';
        text += a;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<char*>> commands;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            commands.emplace_back();
        } else if (!commands.empty()) {
            commands.back().push_back(argv[i]);
        }
    }
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 0;
    if (rounds < 1 || commands.size() != 2 || commands[0].empty() || commands[1].empty()) {
        std::fprintf(stderr, "usage: %s ROUNDS -- COMMAND_A ARGS... -- COMMAND_B ARGS...\n",
                     argv[0]);
        return 2;
    }
    for (auto& command : commands)
        command.push_back(nullptr);

    std::vector<Sample> a, b;
    runOnce(commands[0]);  // warm the page cache and the loader
    runOnce(commands[1]);
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first, so that neither always follows the other.
        if (round % 2 == 0) {
            a.push_back(runOnce(commands[0]));
            b.push_back(runOnce(commands[1]));
        } else {
            b.push_back(runOnce(commands[1]));
            a.push_back(runOnce(commands[0]));
        }
    }

    std::vector<double> ratios;
    std::vector<double> cpuRatios;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ratios.push_back(b[i].seconds / a[i].seconds);
        if (a[i].cpuSeconds > 0)
            cpuRatios.push_back(b[i].cpuSeconds / a[i].cpuSeconds);
    }
    const char* labels[] = {"A", "B"};
    const std::vector<Sample>* results[] = {&a, &b};
    for (int k = 0; k < 2; ++k) {
        std::vector<double> seconds;
        std::vector<double> cpuSeconds;
        long peak = 0;
        for (const Sample& s : *results[k]) {
            seconds.push_back(s.seconds);
            cpuSeconds.push_back(s.cpuSeconds);
            peak = std::max(peak, s.peakKiB);
        }
        std::printf("%s: %s\n   median %.3f ms wall, %.3f ms CPU; peak RSS %.1f MiB; exit %d\n",
                    labels[k], joined(commands[static_cast<std::size_t>(k)]).c_str(),
                    median(seconds) * 1e3, median(cpuSeconds) * 1e3,
                    static_cast<double>(peak) / 1024.0, results[k]->back().status);
    }
    std::printf(
        "B/A wall time: median of per-round ratios %.3f, lowest %.3f, highest %.3f "
        "(%d rounds)\n",
        median(ratios), *std::min_element(ratios.begin(), ratios.end()),
        *std::max_element(ratios.begin(), ratios.end()), rounds);
    if (!cpuRatios.empty()) {
        std::printf("B/A CPU time: median of per-round ratios %.3f\n", median(cpuRatios));
    }
    return 0;
}
