// SPDX-License-Identifier: MIT
// orvendel-cli: the command-line companion of the Orvendel window.
#include <array>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/apply_command.h"
#include "cli/check_command.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/locate_command.h"
#include "cli/read_command.h"
#include "cli/restore_command.h"
#include "cli/usage.h"
#include "version.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
#else
#include <csignal>
#endif

namespace orvendel::cli {
namespace {

// Every verb, in the order the help lists them. A new verb is one more row.
constexpr std::array kCommands = {
    kReadCommand, kApplyCommand, kCheckCommand, kLocateCommand, kRestoreCommand,
};

bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            return false;
        }
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

// A wrong first argument: what is wrong, the short usage and where the whole help is.
int firstArgumentError(std::string_view message) {
    std::cerr << kErrorPrefix << message << '\n';
    printShortUsage(std::cerr, kCommands);
    return kExitUsage;
}

int run(const std::vector<std::string>& args) {
    CommandIo io{std::cout, std::cerr};
    if (args.empty()) {
        return firstArgumentError("a verb is missing");
    }
    const std::string& first = args[0];
    if (first == "help" || asksForHelp({first})) {
        // "help VERB" is the verb's own help; "help" alone and --help list every verb.
        if (first == "help" && args.size() > 1) {
            if (const Command* command = findCommand(args[1])) {
                printCommandHelp(std::cout, *command);
                return kExitDone;
            }
            return firstArgumentError("unknown command '" + args[1] + "'");
        }
        printUsage(std::cout, kCommands);
        return kExitDone;
    }
    if (first == "--version" || first == "-V") {
        std::cout << "orvendel-cli " << kVersion << '\n';
        return kExitDone;
    }
    if (const Command* command = findCommand(first)) {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (asksForHelp(rest)) {
            printCommandHelp(std::cout, *command);
            return kExitDone;
        }
        return command->run(rest, io);
    }
    if (first.size() > 1 && first[0] == '-') {
        return firstArgumentError("unknown option '" + first + "'");
    }
    return firstArgumentError("unknown command '" + first + "'");
}

// The arguments after the program's name, as UTF-8. On Windows the narrow argv holds the ANSI
// code page, which cannot spell every file name (a name with "ĉ" would arrive as "c"), so they
// come from the wide command line instead.
std::vector<std::string> utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i) {
            const int bytes =
                WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
            arg.resize(arg.size() - 1);  // the terminating NUL
            args.push_back(std::move(arg));
        }
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace
}  // namespace orvendel::cli

int main(int argc, char** argv) {
#ifdef _WIN32
    // Messages are UTF-8, like the file names in them.
    SetConsoleOutputCP(CP_UTF8);
#else
    // A file-size limit (ulimit -f) is then an ordinary write error (EFBIG, "File too large")
    // that names the file and removes the temporary file, not a silent end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    try {
        const std::vector<std::string> args = orvendel::cli::utf8Arguments(argc, argv);
        const int code = orvendel::cli::run(args);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "orvendel-cli: cannot write the output\n";
            return code == orvendel::cli::kExitDone ? orvendel::cli::kExitFileError : code;
        }
        return code;
    } catch (const std::exception& error) {
        std::cerr << "orvendel-cli: " << error.what() << '\n';
        return orvendel::cli::kExitFileError;
    }
}
