// The shared pass for two tables' first signatures against a plain search of each.
#include "patcher/search_together.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "patcher/revision_table.h"
#include "patcher/search.h"

namespace orvendel {
namespace {

constexpr std::size_t kBlock = std::size_t{256} << 10;  // the pass's block size

class Positions : public ProgressSink {
public:
    void setStatus(std::string_view) override {}
    void setRange(double, double) override {}
    void setValue(double value) override { values.push_back(value); }
    std::vector<double> values;
};

Signature firstOf(const RevisionTable& table) {
    return *Signature::parse(table.signatures.front().bytes);
}

void plant(std::vector<std::uint8_t>& image, const Signature& sig, std::size_t at) {
    for (std::size_t i = 0; i < sig.pattern.size() && at + i < image.size(); ++i) {
        if (!sig.wild[i])
            image[at + i] = sig.pattern[i];
    }
}

// resumeSearch after searchTogether must answer and report exactly as search from 0.
void expectSameAsSearch(const std::vector<std::uint8_t>& image, const Signature& first,
                        const Signature& second) {
    const auto [a, b] = searchTogether(image, first, second);
    for (const auto& [sig, known] : {std::pair{&first, a}, std::pair{&second, b}}) {
        Positions plain;
        Positions resumed;
        const auto expected = search(image, *sig, 0, &plain);
        EXPECT_EQ(resumeSearch(image, *sig, known, &resumed), expected);
        EXPECT_EQ(resumed.values, plain.values);
    }
}

TEST(SearchTogether, GivesThePlainSearchsAnswersAndProgressWhereverEitherSignatureLies) {
    const Signature sig0 = firstOf(kRevision0Table);
    const Signature sig1 = firstOf(kRevision1Table);
    const std::size_t n0 = sig0.pattern.size();
    const std::size_t n1 = sig1.pattern.size();
    std::mt19937 random(6);
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{3}, std::size_t{5000}, 2 * kBlock + 17}) {
        std::vector<std::uint8_t> noise(size);
        for (auto& byte : noise)
            byte = static_cast<std::uint8_t>(random() % 4);  // short alphabet: many near misses
        // Where to plant each signature; npos plants none.
        const std::size_t none = std::string::npos;
        std::vector<std::pair<std::size_t, std::size_t>> places = {{none, none}};
        if (size >= n0 + n1) {
            const std::size_t mid = std::min(size - n0, kBlock - 2);  // across a block's end
            places.insert(places.end(), {{0, none},
                                         {none, 0},
                                         {mid, none},
                                         {none, std::min(size - n1, kBlock - 1)},
                                         {size - n0, 0},
                                         {0, size - n1},
                                         {mid, size - n1},
                                         {size - n0, mid}});
        }
        for (const auto& [at0, at1] : places) {
            SCOPED_TRACE("size " + std::to_string(size) + ", first at " + std::to_string(at0) +
                         ", second at " + std::to_string(at1));
            std::vector<std::uint8_t> image = noise;
            if (at0 != none)
                plant(image, sig0, at0);
            if (at1 != none)
                plant(image, sig1, at1);
            expectSameAsSearch(image, sig0, sig1);
            expectSameAsSearch(image, sig1, sig0);
        }
    }
}

}  // namespace
}  // namespace orvendel
