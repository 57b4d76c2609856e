// SPDX-License-Identifier: MIT
// make-sample: writes a synthetic nwmain.exe of revision 0 or 1 for trying the tool without
// the game.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "camera/camera_settings.h"
#include "platform/files.h"
#include "sample_builder.h"

namespace {

constexpr const char* kUsage =
    "usage: make-sample --revision 0|1 [--size BYTES] [--seed N] [--set FIELD=VALUE]... OUT.exe\n"
    "Writes a synthetic game executable of that revision (default size 8388608 bytes) with the\n"
    "game's default camera values, or the values given with --set (e.g. --set CTHeight=1.5).\n";

int usage(const std::string& problem) {
    if (!problem.empty())
        std::fprintf(stderr, "make-sample: %s\n", problem.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

template <typename T>
bool parseNumber(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool setField(orvendel::CameraSettings& values, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        return false;
    const std::string_view name = assignment.substr(0, equals);
    const std::string number(assignment.substr(equals + 1));
    char* end = nullptr;
    const float value = std::strtof(number.c_str(), &end);
    if (number.empty() || *end != '\0')
        return false;
    for (std::size_t i = 0; i < orvendel::kFieldCount; ++i) {
        if (orvendel::kFieldNames[i] == name) {
            orvendel::fieldRef(values, static_cast<orvendel::Field>(i)) = value;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    int revision = -1;
    std::size_t size = orvendel::kSampleSize;
    std::uint64_t seed = 1;
    orvendel::CameraSettings values = orvendel::sampleValues();
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--revision" && hasValue) {
            if (!parseNumber(argv[++i], revision) || (revision != 0 && revision != 1)) {
                return usage("--revision takes 0 or 1");
            }
        } else if (arg == "--size" && hasValue) {
            if (!parseNumber(argv[++i], size))
                return usage("--size takes a number of bytes");
        } else if (arg == "--seed" && hasValue) {
            if (!parseNumber(argv[++i], seed))
                return usage("--seed takes a number");
        } else if (arg == "--set" && hasValue) {
            if (!setField(values, argv[++i]))
                return usage("--set takes FIELD=VALUE");
        } else if (arg == "--help" || arg == "-h") {
            return usage("");
        } else if (!arg.starts_with("--") && out.empty()) {
            out = arg;
        } else {
            return usage("unexpected argument " + std::string(arg));
        }
    }
    if (revision < 0 || out.empty())
        return usage("--revision and OUT.exe are required");

    try {
        const auto image = orvendel::buildSample(revision, values, size, seed);
        const orvendel::FileStatus status = orvendel::writeFileAtomically(out, image);
        if (!status) {
            std::fprintf(stderr, "make-sample: %s\n", status.message().c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
