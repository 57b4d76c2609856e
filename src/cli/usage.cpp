// SPDX-License-Identifier: MIT
#include "cli/usage.h"

#include <algorithm>
#include <string>

#include "cli/exit_code.h"

namespace orvendel::cli {

namespace {

constexpr std::size_t kLineWidth = 79;

// Writes `text` from column `indent` on, breaking lines between words before kLineWidth and
// starting each further line at `indent`. The first line's indent is already written.
void writeWrapped(std::ostream& out, std::string_view text, std::size_t indent) {
    std::size_t column = indent;
    bool lineStart = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (!lineStart && column + 1 + word.size() > kLineWidth) {
            out << '\n' << std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
        lineStart = false;
    }
    out << '\n';
}

std::string optionLabel(const OptionSpec& option) {
    std::string label(option.name);
    if (option.takesValue) {
        label += ' ';
        label += option.valueName.empty() ? std::string_view("VALUE") : option.valueName;
    }
    return label;
}

}  // namespace

int usageError(CommandIo& io, const Command& command, std::string_view message) {
    io.err << "orvendel-cli: " << command.name << ": " << message << '\n'
           << "usage: orvendel-cli " << command.name << ' ' << command.synopsis << '\n'
           << "Try 'orvendel-cli " << command.name << " --help' for more.\n";
    return kExitUsage;
}

void printShortUsage(std::ostream& out, std::span<const Command> commands) {
    out << "usage: orvendel-cli VERB [ARGUMENTS] (VERB:";
    const char* separator = " ";
    for (const Command& command : commands) {
        out << separator << command.name;
        separator = ", ";
    }
    out << ")\n"
        << "Try 'orvendel-cli --help' for more.\n";
}

void printUsage(std::ostream& out, std::span<const Command> commands) {
    out << "usage:\n";
    for (const Command& command : commands) {
        out << "  orvendel-cli " << command.name << ' ' << command.synopsis << '\n';
    }
    out << "  orvendel-cli help [VERB] | -h | --help | -V | --version\n\n";
    for (const Command& command : commands) {
        out << "  " << command.name << ": ";
        writeWrapped(out, command.summary, 2 + command.name.size() + 2);
    }
    out << '\n';
    writeWrapped(out,
                 "'orvendel-cli VERB --help' or 'orvendel-cli help VERB' explains the options of a "
                 "verb. Results go to "
                 "standard output; questions, outcome messages and errors to standard error.",
                 0);
    out << '\n';
    writeWrapped(out,
                 "Exit codes: 0 done; 1 a file could not be read or written, or a settings file "
                 "is unreadable, cut short or holds a value that is not a number; 2 usage; 3 "
                 "executable not recognised; 4 a question was not confirmed (give --yes); 5 "
                 "settings file of an unknown format; 6 the new values would leave the "
                 "executable unrecognisable; 7 what lies at the kept copy's name is not a copy "
                 "that Orvendel kept of the executable. Nothing is written on any exit but 0.",
                 0);
}

void printCommandHelp(std::ostream& out, const Command& command) {
    constexpr std::string_view kHelpLabel = "-h, --help";
    out << "usage: orvendel-cli " << command.name << ' ' << command.synopsis << "\n  ";
    writeWrapped(out, command.summary, 2);
    out << "\noptions:\n";
    std::size_t width = kHelpLabel.size();
    for (const OptionSpec& option : command.options) {
        width = std::max(width, optionLabel(option).size());
    }
    const std::size_t helpColumn = 2 + width + 2;
    for (const OptionSpec& option : command.options) {
        const std::string label = optionLabel(option);
        out << "  " << label << std::string(helpColumn - 2 - label.size(), ' ');
        writeWrapped(out, option.help, helpColumn);
    }
    out << "  " << kHelpLabel << std::string(helpColumn - 2 - kHelpLabel.size(), ' ');
    writeWrapped(out, "show this help", helpColumn);
}

}  // namespace orvendel::cli
