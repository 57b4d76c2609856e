// SPDX-License-Identifier: MIT
// The fast search, and the shared pass over two tables' first signatures, against the plain
// byte-by-byte scan: same match, same progress reports, for every vector scanner this processor
// runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "patcher/revision_table.h"
#include "patcher/search.h"
#include "patcher/search_internal/search_kernels.h"
#include "patcher/search_internal/search_plan.h"
#include "patcher/search_internal/search_reference.h"
#include "patcher/search_internal/search_together.h"
#include "recording_progress.h"

namespace orvendel {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Scanner {
    std::string name;
    ScanFunction scan;  // nullptr: the portable scan alone
};

void PrintTo(const Scanner& scanner, std::ostream* out) {
    *out << scanner.name;
}

std::vector<Scanner> availableScanners() {
    std::vector<Scanner> scanners{{"Portable", nullptr}};
#ifdef ORVENDEL_SEARCH_SSE2
    scanners.push_back({"Sse2", scanSse2});
#endif
#ifdef ORVENDEL_SEARCH_AVX2
    if (avx2Available())
        scanners.push_back({"Avx2", scanAvx2});
#endif

    return scanners;
}

Signature sig(const char* text) {
    const std::optional<Signature> parsed = Signature::parse(text);
    EXPECT_TRUE(parsed.has_value()) << text;
    return parsed.value_or(Signature{});
}

// Every signature of the two revision tables (the four-zero one three times).
const std::vector<Signature>& knownSignatures() {
    static const std::vector<Signature> all = [] {
        std::vector<Signature> out;
        for (const RevisionTable* table : {&kRevision0Table, &kRevision1Table}) {
            for (const SignatureStep& step : table->signatures)
                out.push_back(sig(std::string(step.bytes).c_str()));
        }
        return out;
    }();
    return all;
}

Bytes randomImage(std::mt19937& rng, std::size_t size, int alphabet) {
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    Bytes image(size);
    for (auto& b : image)
        b = static_cast<std::uint8_t>(byte(rng));
    return image;
}

// Mostly zeros in runs of one to three, so that every zero is the start of a partial match of
// the four-zero signature and none completes.
Bytes zeroHeavyImage(std::mt19937& rng, std::size_t size) {
    std::uniform_int_distribution<int> run(1, 3);
    std::uniform_int_distribution<int> other(1, 255);
    Bytes image;
    while (image.size() < size) {
        image.insert(image.end(), static_cast<std::size_t>(run(rng)), 0);
        image.push_back(static_cast<std::uint8_t>(other(rng)));
    }
    image.resize(size);
    return image;
}

// Writes `s` into `image` at `at`, with random bytes at its wild positions.
void plant(Bytes& image, const Signature& s, std::size_t at, std::mt19937& rng) {
    for (std::size_t i = 0; i < s.size() && at + i < image.size(); ++i) {
        image[at + i] = s.wild[i] ? static_cast<std::uint8_t>(rng()) : s.pattern[i];
    }
}

Signature randomSignature(std::mt19937& rng, int alphabet, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(1, maxLength);
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    std::bernoulli_distribution wild(0.25);
    Signature s;
    const std::size_t n = length(rng);
    for (std::size_t i = 0; i < n; ++i) {
        const bool w = wild(rng);
        s.wild.push_back(w);
        s.pattern.push_back(w ? 0 : static_cast<std::uint8_t>(byte(rng)));
    }
    return s;
}

class SearchDifferential : public ::testing::TestWithParam<Scanner> {
protected:
    // Runs both searches from `from` and expects the same match and the same reports.
    void expectSame(const Bytes& image, const Signature& s, std::size_t from) {
        RecordingProgress fast;
        RecordingProgress plain;
        const auto got = searchWith(GetParam().scan, image, s, from, &fast);
        const auto want = searchReference(image, s, from, &plain);
        ASSERT_EQ(got, want) << "image of " << image.size() << " bytes, signature of " << s.size()
                             << ", from " << from;
        ASSERT_EQ(fast.values, plain.values)
            << "image of " << image.size() << " bytes, from " << from;
    }

    std::mt19937 rng{20261206};
};

// The known signatures and ones with wild edges, planted at the image's ends, at vector and
// progress boundaries, or nowhere, over random and zero-heavy noise.
TEST_P(SearchDifferential, SignaturesPlantedAtEdgesAndVectorBoundariesOrNowhere) {
    std::vector<Signature> all = knownSignatures();
    for (const char* text : {"?? ?? 00 ??", "?? C7 05 ??", "8B ?? ?? ??", "?? 00 ?? 00 ?? 00 ??",
                             "?? ?? ?? ?? ?? ?? ?? ?? ?? 4B"})
        all.push_back(sig(text));
    for (const Signature& s : all) {
        const std::size_t size = 3000 + s.size();
        const std::size_t n = s.size();
        for (std::size_t at :
             {std::size_t{0}, std::size_t{1}, std::size_t{31}, std::size_t{63}, std::size_t{64},
              std::size_t{65}, std::size_t{255}, std::size_t{256}, std::size_t{257},
              std::size_t{383}, std::size_t{384}, std::size_t{999}, std::size_t{1000},
              size - n - 65, size - n - 64, size - n - 1, size - n, std::string::npos}) {
            for (int alphabet : {256, 3}) {
                Bytes image =
                    alphabet == 3 ? zeroHeavyImage(rng, size) : randomImage(rng, size, 256);
                if (at == std::string::npos) {
                    expectSame(image, s, 0);
                    expectSame(image, s, 777);
                    continue;
                }
                plant(image, s, at, rng);
                for (std::size_t from : {std::size_t{0}, at > 0 ? at - 1 : 0, at, at + 1})
                    expectSame(image, s, from);
            }
        }
    }
}

TEST_P(SearchDifferential, FourZerosAfterManyPartialRunsAtEveryOffset) {
    const Signature zeros = sig("00 00 00 00");
    const Bytes base = zeroHeavyImage(rng, 1100);
    for (std::size_t at = 0; at + 4 <= base.size(); ++at) {
        Bytes image = base;
        plant(image, zeros, at, rng);
        expectSame(image, zeros, 0);
        expectSame(image, zeros, at);
    }
}

TEST_P(SearchDifferential, RandomSignaturesOverShortAlphabetsFromEveryStart) {
    for (int alphabet : {2, 3, 4, 256}) {
        for (int round = 0; round < 12; ++round) {
            const Bytes image =
                randomImage(rng, 400 + static_cast<std::size_t>(round) * 53, alphabet);
            const Signature s = randomSignature(rng, alphabet, alphabet == 2 ? 10 : 6);
            for (std::size_t from = 0; from <= image.size() + 1; ++from) {
                expectSame(image, s, from);
            }
        }
    }
}

TEST_P(SearchDifferential, RandomSignaturesWithManyPartialMatches) {
    for (int round = 0; round < 60; ++round) {
        const Signature s = randomSignature(rng, 4, 24);
        // The image repeats prefixes of the signature, each cut short by one changed byte.
        Bytes image;
        std::uniform_int_distribution<std::size_t> cut(0, s.size() - 1);
        while (image.size() < 3000) {
            const std::size_t keep = cut(rng);
            for (std::size_t i = 0; i < keep; ++i)
                image.push_back(s.pattern[i]);
            image.push_back(static_cast<std::uint8_t>(s.pattern[keep] + 1));
        }
        if (round % 2 == 0)
            plant(image, s, image.size() - s.size() - round, rng);
        expectSame(image, s, 0);
        expectSame(image, s, 1 + static_cast<std::size_t>(round));
    }
}

TEST_P(SearchDifferential, AllWildAndOversizedSignatures) {
    const Bytes image = randomImage(rng, 2100, 256);
    for (std::size_t from : {std::size_t{0}, std::size_t{998}, std::size_t{2097}, std::size_t{2098},
                             std::size_t{2099}, std::size_t{2100}, std::size_t{5000}}) {
        expectSame(image, sig("?? ?? ??"), from);
        expectSame(Bytes(image.begin(), image.begin() + 2), sig("00 ??"), 0);
        expectSame(image, sig("01 02 03 04 05 06 07 08 09"), from);
    }
    expectSame(Bytes{}, sig("00"), 0);
}

// Past the first 256 KiB the scan has seen enough false candidates to compare more anchors
// (or look for runs of zeros); matches sit across progress strides and at the very end.
TEST_P(SearchDifferential, MatchesBeyondTheFirstStrideOfALargeImage) {
    for (const Signature& s : {knownSignatures().front(), sig("00 00 00 00")}) {
        const Bytes base =
            s.size() == 4 ? zeroHeavyImage(rng, 600 * 1024) : randomImage(rng, 600 * 1024, 256);
        expectSame(base, s, 3);
        for (std::size_t at :
             {std::size_t{256 * 1024 - 3}, std::size_t{512 * 1024 + 1}, base.size() - s.size()}) {
            Bytes image = base;
            plant(image, s, at, rng);
            expectSame(image, s, 5);
            expectSame(image, s, at - 2000);
        }
    }
}

// Each vector scan with every number of anchors, called directly: a match it reports is the
// first in its range, and it never passes over one.
TEST_P(SearchDifferential, ScansWithEveryAnchorCountNeverSkipAMatch) {
    if (GetParam().scan == nullptr)
        GTEST_SKIP() << "the portable scan takes no anchor count";
    for (const char* text :
         {"00 00 00 00", "FF FF FF FF", "00 ?? 00 00", "01 00 00 02 ?? 00", "00 01"}) {
        const Signature s = sig(text);
        const SearchPlan plan(s);
        for (int round = 0; round < 40; ++round) {
            Bytes image = zeroHeavyImage(rng, 700);
            if (round % 2 == 0)
                plant(image, s, 160 + static_cast<std::size_t>(round) * 11, rng);
            const std::size_t starts = image.size() - s.size() + 1;
            for (int anchors = 1; anchors <= plan.anchorCount(); ++anchors) {
                for (std::size_t begin : {std::size_t{0}, std::size_t{1}, std::size_t{33}}) {
                    const ScanResult r =
                        GetParam().scan(plan, anchors, image.data(), begin, starts);
                    const auto want = searchReference(image, s, begin);
                    if (r.found) {
                        ASSERT_EQ(std::optional<std::size_t>(r.next), want) << text;
                    } else {
                        ASSERT_LE(r.next, starts);
                        ASSERT_TRUE(!want || *want >= r.next) << text << " skipped " << *want;
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scanners, SearchDifferential, ::testing::ValuesIn(availableScanners()),
                         [](const auto& info) { return info.param.name; });

TEST(SearchMalformedSignature, FindsNothingForAnEmptyOrInconsistentSignature) {
    const Bytes image(3000, 0);
    RecordingProgress progress;
    EXPECT_EQ(search(image, Signature{}, 0, &progress), std::nullopt);
    Signature lopsided;
    lopsided.pattern = {0, 0};
    lopsided.wild = {false};
    EXPECT_EQ(search(image, lopsided, 0, &progress), std::nullopt);
    EXPECT_TRUE(progress.values.empty());
}

// resumeSearch after searchTogether must answer and report exactly as search from 0, wherever
// either signature lies: nowhere, at either end, both in one block in either order, across the
// pass's 256 KiB block end; over noise where the shared scan runs through (random bytes) and
// where it gives way to the separate searches (a short alphabet: many near misses).
TEST(SearchTogether, GivesThePlainSearchsAnswersAndProgressWhereverEitherSignatureLies) {
    constexpr std::size_t kBlock = std::size_t{256} << 10;
    const Signature sig0 = *Signature::parse(kRevision0Table.signatures.front().bytes);
    const Signature sig1 = *Signature::parse(kRevision1Table.signatures.front().bytes);
    const std::size_t n0 = sig0.size();
    const std::size_t n1 = sig1.size();
    const std::size_t none = std::string::npos;
    std::mt19937 rng(6);
    for (const int alphabet : {4, 256}) {
        for (const std::size_t size :
             {std::size_t{0}, std::size_t{3}, std::size_t{5000}, 2 * kBlock + 17}) {
            const Bytes noise = randomImage(rng, size, alphabet);
            std::vector<std::pair<std::size_t, std::size_t>> places = {{none, none}};
            if (size >= n0 + n1) {
                const std::size_t mid = std::min(size - n0, kBlock - 2);
                const std::size_t early = std::min<std::size_t>(size / 2, 1000);
                places.insert(places.end(), {{0, none},
                                             {none, 0},
                                             {mid, none},
                                             {none, std::min(size - n1, kBlock - 1)},
                                             {size - n0, 0},
                                             {0, size - n1},
                                             {mid, size - n1},
                                             {size - n0, mid},
                                             {early, early + 45},
                                             {early + 45, early},
                                             {size - n0, size - n1 - 64}});
            }
            for (const auto& [at0, at1] : places) {
                SCOPED_TRACE("alphabet " + std::to_string(alphabet) + ", size " +
                             std::to_string(size) + ", first at " + std::to_string(at0) +
                             ", second at " + std::to_string(at1));
                Bytes image = noise;
                if (at0 != none)
                    plant(image, sig0, at0, rng);
                if (at1 != none)
                    plant(image, sig1, at1, rng);
                for (const auto& [first, second] :
                     {std::pair{&sig0, &sig1}, std::pair{&sig1, &sig0}}) {
                    const auto [a, b] = searchTogether(image, *first, *second);
                    for (const auto& [s, known] : {std::pair{first, a}, std::pair{second, b}}) {
                        RecordingProgress plain;
                        RecordingProgress resumed;
                        const auto expected = search(image, *s, 0, &plain);
                        EXPECT_EQ(resumeSearch(image, *s, known, &resumed), expected);
                        EXPECT_EQ(resumed.values, plain.values);
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace orvendel
