// SPDX-License-Identifier: MIT
#include "cli/argument_parser.h"

#include <algorithm>

namespace orvendel::cli {

std::optional<std::string> ParsedArguments::parse(const std::vector<std::string>& args,
                                                  std::span<const OptionSpec> options) {
    positional_.clear();
    flags_.clear();
    values_.clear();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const auto known = std::find_if(options.begin(), options.end(),
                                        [&](const OptionSpec& o) { return o.name == name; });
        if (known == options.end()) {
            return "unknown option " + name;
        }
        if (flags_.count(name) != 0 || values_.count(name) != 0) {
            return name + " is given twice";
        }
        if (!known->takesValue) {
            if (equals != std::string::npos) {
                return name + " takes no value";
            }
            flags_.insert(name);
        } else if (equals != std::string::npos) {
            values_[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            values_[name] = args[++i];
        } else {
            return name + " needs a value";
        }
    }
    return std::nullopt;
}

std::optional<std::string> ParsedArguments::value(std::string_view option) const {
    const auto found = values_.find(std::string(option));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace orvendel::cli
