// SPDX-License-Identifier: MIT
// orvendel-query-probe [--profile PATH]: reads queries from standard input, one per line as
// "source<TAB>key<TAB>name<TAB>kind", runs queryValue through this platform's registry with the
// default "<default>" and prints "status<TAB>value" for each, bytes outside printable ASCII as
// \xNN, texts converted from the ANSI code page to UTF-8. "@PROFILE@" in a source stands for PATH,
// so that both builds can name the same file.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "locate/query_value.h"
#include "probe_text.h"

namespace {

std::string printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::string profile;
    if (argc == 3 && std::string(argv[1]) == "--profile") {
        profile = argv[2];
    } else if (argc != 1) {
        std::cerr << "usage: orvendel-query-probe [--profile PATH] < queries\n";
        return 2;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            fields.push_back(field);
        }
        if (fields.size() != 4) {
            std::cerr << "orvendel-query-probe: a query needs four fields: " << line << '\n';
            return 2;
        }
        if (fields[0] == "@PROFILE@") {
            fields[0] = profile;
        }
        orvendel::RegistryValue out;
        const auto status = orvendel::queryValue(fields[0], fields[1], fields[2], fields[3],
                                                 std::string("<default>"), out);
        std::cout << status << '\t'
                  << printable(orvendel::ansiToUtf8(orvendel::registryValueText(out))) << '\n';
    }
    return 0;
}
