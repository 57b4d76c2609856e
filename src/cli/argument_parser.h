// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvendel::cli {

// An option a verb accepts: "--json" (a flag) or "--save" (followed by a value, either as the
// next argument or as "--save=VALUE"). `valueName` and `help` are what VERB --help shows.
struct OptionSpec {
    std::string_view name;
    bool takesValue = false;
    std::string_view valueName = {};  // the value's placeholder, e.g. "SETTINGS.chs"
    std::string_view help = {};       // what the option does, one or two sentences
};

// The arguments of one verb, sorted into positional arguments, flags and option values.
class ParsedArguments {
public:
    // Sorts `args` by `options`. "--" ends the options; a lone "-" is positional. Returns an
    // error text for an unknown option, a missing value, a value given to a flag, or an option
    // given twice; nothing otherwise.
    std::optional<std::string> parse(const std::vector<std::string>& args,
                                     std::span<const OptionSpec> options);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(std::string_view flag) const { return flags_.count(std::string(flag)) != 0; }
    // The value of a valued option, or nothing when it was not given.
    std::optional<std::string> value(std::string_view option) const;

private:
    std::vector<std::string> positional_;
    std::set<std::string> flags_;
    std::map<std::string, std::string> values_;
};

}  // namespace orvendel::cli
