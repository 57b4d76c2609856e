// SPDX-License-Identifier: MIT
#include "sample_builder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "patcher/signature.h"
#include "patcher/table_run.h"
#include "patcher/transfers.h"

namespace orvendel {

namespace {

constexpr std::size_t kMinimumGap = 16;

// Random filler with occasional zero runs. `maxZeroRun` caps every run of zero bytes;
// `forbidden` (when >= 0) never appears.
class Filler {
public:
    explicit Filler(std::uint64_t seed) : generator_(seed) {}

    void fill(std::uint8_t* out, std::size_t length, std::size_t maxZeroRun, int forbidden) {
        std::size_t zeroRun = 0;
        std::size_t pendingZeros = 0;
        for (std::size_t i = 0; i < length; ++i) {
            std::uint8_t byte;
            if (pendingZeros > 0) {
                byte = 0;
                --pendingZeros;
            } else if (next() % 512 == 0) {
                pendingZeros = next() % 48;
                byte = 0;
            } else {
                byte = static_cast<std::uint8_t>(next());
            }
            if (byte == 0 && zeroRun >= maxZeroRun) {
                byte = 0x90;
                pendingZeros = 0;
            }
            if (forbidden >= 0 && byte == forbidden)
                byte ^= 0x55;
            zeroRun = byte == 0 ? zeroRun + 1 : 0;
            out[i] = byte;
        }
    }

    std::uint64_t next() { return generator_(); }

private:
    std::mt19937_64 generator_;
};

// Room a planted signature needs from the first byte of its first match on.
std::size_t regionLength(const SignatureStep& step, std::size_t signatureLength,
                         std::vector<std::size_t>& atOffsets) {
    const std::size_t matchStart = 4 * (step.searches - 1u);
    std::size_t at = 0;
    std::size_t end = matchStart + signatureLength;
    atOffsets.clear();
    for (const SiteTransfer& transfer : step.transfers) {
        at += transfer.advance;
        atOffsets.push_back(matchStart + at);
        at += 4;
        end = std::max(end, matchStart + at);
    }
    return end;
}

std::array<std::uint8_t, 4> storedBytes(const SiteTransfer& transfer,
                                        const CameraSettings& values) {
    std::array<std::uint8_t, 4> bytes{};
    std::size_t at = 0;
    writeSiteValue(bytes, at, transfer.kind, fieldValue(values, transfer.field));
    return bytes;
}

}  // namespace

SampleBuilder::SampleBuilder(std::size_t size, std::uint64_t seed) : size_(size), seed_(seed) {}

SampleBuilder& SampleBuilder::plant(const RevisionTable& table, const CameraSettings& values,
                                    std::size_t count) {
    plants_.push_back({&table, values, std::min(count, table.signatures.size())});
    return *this;
}

std::vector<std::uint8_t> SampleBuilder::build() {
    std::vector<std::uint8_t> image(size_);
    for (std::uint64_t attempt = 0; attempt < 32; ++attempt) {
        if (tryBuild(image, seed_ * 1000003u + attempt))
            return image;
    }
    throw std::runtime_error("could not arrange the signatures without an earlier occurrence");
}

bool SampleBuilder::tryBuild(std::vector<std::uint8_t>& image, std::uint64_t fillerSeed) {
    struct Region {
        const SignatureStep* step;
        Signature signature;
        std::size_t length;
        std::vector<std::size_t> atOffsets;
        std::size_t plant;  // index into plants_
        std::size_t start = 0;
    };
    std::vector<Region> regions;
    std::size_t needed = 0;
    for (std::size_t p = 0; p < plants_.size(); ++p) {
        for (std::size_t i = 0; i < plants_[p].count; ++i) {
            const SignatureStep& step = plants_[p].table->signatures[i];
            Region region{&step, *Signature::parse(step.bytes), 0, {}, p};
            region.length = regionLength(step, region.signature.size(), region.atOffsets);
            needed += region.length + kMinimumGap;
            regions.push_back(std::move(region));
        }
    }
    if (needed + kMinimumGap > size_) {
        throw std::invalid_argument("a sample of " + std::to_string(size_) +
                                    " bytes is too small for its signatures");
    }

    // Gaps of random, roughly equal length spread the signatures over the whole image.
    Filler filler(fillerSeed);
    std::vector<double> weights(regions.size() + 1);
    double total = 0;
    for (double& w : weights)
        total += (w = 0.75 + (filler.next() % 1000) / 2000.0);
    const std::size_t spare = size_ - needed - kMinimumGap;
    std::size_t position = 0;
    for (std::size_t i = 0; i < regions.size(); ++i) {
        const auto gap = kMinimumGap + static_cast<std::size_t>(spare * weights[i] / total);
        const Signature& signature = regions[i].signature;
        // The gap cannot hold the signature: a zero-only signature limits its zero runs, any
        // other loses one of its fixed bytes.
        int forbidden = -1;
        for (std::size_t k = 0; k < signature.size(); ++k) {
            if (!signature.wild[k] && signature.pattern[k] != 0)
                forbidden = signature.pattern[k];
        }
        const std::size_t maxZeroRun = forbidden < 0 ? signature.size() - 1 : SIZE_MAX;
        filler.fill(image.data() + position, gap, maxZeroRun, forbidden);
        if (forbidden < 0)
            image[position + gap - 1] = 0x90;
        position += gap;
        regions[i].start = position;
        filler.fill(image.data() + position, regions[i].length, SIZE_MAX, -1);
        position += regions[i].length;
    }
    filler.fill(image.data() + position, size_ - position, SIZE_MAX, -1);

    // Signatures (twice for those searched twice), then the values at the sites.
    sites_.assign(plants_.size(), {});
    for (Region& region : regions) {
        for (std::size_t s = 0; s < region.step->searches; ++s) {
            for (std::size_t k = 0; k < region.signature.size(); ++k) {
                if (!region.signature.wild[k]) {
                    image[region.start + 4 * s + k] = region.signature.pattern[k];
                }
            }
        }
        for (std::size_t t = 0; t < region.step->transfers.size(); ++t) {
            const SiteTransfer& transfer = region.step->transfers[t];
            const std::size_t site = region.start + region.atOffsets[t];
            const auto bytes = storedBytes(transfer, plants_[region.plant].values);
            std::copy(bytes.begin(), bytes.end(),
                      image.begin() + static_cast<std::ptrdiff_t>(site));
            sites_[region.plant].push_back(site);
        }
        const std::size_t matchStart = region.start + 4 * (region.step->searches - 1u);
        for (std::size_t k = 0; k < region.signature.size(); ++k) {
            if (!region.signature.wild[k] && image[matchStart + k] != region.signature.pattern[k]) {
                throw std::invalid_argument("a value stored at a site breaks the signature \"" +
                                            std::string(region.step->bytes) + "\" of revision " +
                                            std::to_string(plants_[region.plant].table->revision));
            }
        }
    }

    // Each table must find the planted signatures first, at the planted places; a table
    // planted in part must not be recognised.
    for (std::size_t p = 0; p < plants_.size(); ++p) {
        CameraState scratch;
        const TableRun run = readSites(*plants_[p].table, image, scratch, nullptr);
        const bool complete = plants_[p].count == plants_[p].table->signatures.size();
        if (run.recognised != complete || run.sites.size() < sites_[p].size() ||
            !std::equal(sites_[p].begin(), sites_[p].end(), run.sites.begin())) {
            return false;
        }
    }
    return true;
}

const CameraSettings& sampleValues() {
    return kBiowareDefaults;
}

std::vector<std::uint8_t> buildSample(int revision, const CameraSettings& values, std::size_t size,
                                      std::uint64_t seed) {
    if (revision != 0 && revision != 1)
        throw std::invalid_argument("revision must be 0 or 1");
    SampleBuilder builder(size, seed);
    builder.plant(revision == 0 ? kRevision0Table : kRevision1Table, values);
    return builder.build();
}

}  // namespace orvendel
