// SPDX-License-Identifier: MIT
// Fuzz target: the fast signature search against the plain reference scan.
// Input: one byte for the signature's length (1 to 24), its pattern bytes, its wildcard mask
// (one bit per byte), two bytes for the starting offset, then the image.
// Properties: both searches return the same match and report the same progress values in the
// same order; the shared pass over this signature and its mirror image, resumed, answers and
// reports as the search from the start does for each; the signature's text form parses back to
// the same signature.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "patcher/search.h"
#include "patcher/search_internal/search_reference.h"
#include "patcher/search_internal/search_together.h"
#include "patcher/signature.h"
#include "recording_progress.h"

namespace orvendel {
namespace {

std::string textForm(const Signature& sig) {
    std::string text;
    for (std::size_t i = 0; i < sig.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", sig.pattern[i]);
        text += i ? " " : "";
        text += sig.wild[i] ? std::string("??") : std::string(byte);
    }
    return text;
}

}  // namespace
}  // namespace orvendel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvendel;
    if (size < 1)
        return 0;
    const std::size_t length = 1 + data[0] % 24;
    const std::size_t maskBytes = (length + 7) / 8;
    const std::size_t header = 1 + length + maskBytes + 2;
    if (size < header)
        return 0;
    Signature sig;
    for (std::size_t i = 0; i < length; ++i) {
        const bool wild = (data[1 + length + i / 8] >> (i % 8)) & 1;
        sig.wild.push_back(wild);
        sig.pattern.push_back(wild ? 0 : data[1 + i]);
    }
    const std::span<const std::uint8_t> image(data + header, size - header);
    const std::size_t fromBits = data[header - 2] | (data[header - 1] << 8);
    // Starting points past the end are allowed and must simply find nothing.
    const std::size_t from = fromBits % (image.size() + 3);

    RecordingProgress fastProgress;
    RecordingProgress plainProgress;
    const std::optional<std::size_t> fast = search(image, sig, from, &fastProgress);
    const std::optional<std::size_t> plain = searchReference(image, sig, from, &plainProgress);
    FUZZ_CHECK(fast == plain);
    FUZZ_CHECK(fastProgress.values == plainProgress.values);
    FUZZ_CHECK(search(image, sig, from, nullptr) == plain);
    if (plain) {
        FUZZ_CHECK(*plain >= from && *plain + sig.size() <= image.size());
    }

    // The same bytes backwards: a second signature that often shares the first one's anchors.
    Signature mirror;
    mirror.pattern.assign(sig.pattern.rbegin(), sig.pattern.rend());
    mirror.wild.assign(sig.wild.rbegin(), sig.wild.rend());
    const auto [first, second] = searchTogether(image, sig, mirror);
    for (const auto& [s, known] : {std::pair{&sig, first}, std::pair{&mirror, second}}) {
        RecordingProgress resumed;
        RecordingProgress fromStart;
        FUZZ_CHECK(resumeSearch(image, *s, known, &resumed) ==
                   searchReference(image, *s, 0, &fromStart));
        FUZZ_CHECK(resumed.values == fromStart.values);
    }

    const std::optional<Signature> parsed = Signature::parse(textForm(sig));
    FUZZ_CHECK(parsed && parsed->pattern == sig.pattern && parsed->wild == sig.wild);
    return 0;
}
