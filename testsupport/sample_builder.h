// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "camera/camera_settings.h"
#include "patcher/revision_table.h"

namespace orvendel {

// Synthesises executable images for tests and for trying the tool without the game: the
// signatures of revision tables planted one after the other among random filler (with runs of
// zero bytes, as real code and data have), and chosen values at their patch sites. Every
// planted signature is the first occurrence after the cursor of the table that searches it;
// build() checks this by running the tables and throws if it cannot be arranged.
class SampleBuilder {
public:
    // An image of `size` bytes whose filler comes from `seed`.
    SampleBuilder(std::size_t size, std::uint64_t seed);

    // Plants the first `count` signatures of `table` (all by default) after everything planted
    // so far, with `values` stored at their sites (angles as the table stores them).
    SampleBuilder& plant(const RevisionTable& table, const CameraSettings& values,
                         std::size_t count = SIZE_MAX);

    // Lays out and fills the image. Throws std::invalid_argument when the size is too small or
    // a value contradicts a fixed byte of its signature (e.g. revision 0's DAngleMin needs a
    // stored value whose two low bytes are 00 00), std::runtime_error when no filler without
    // an earlier occurrence was found.
    std::vector<std::uint8_t> build();

    // After build(): the 0-based sites of each plant() call, in the order the table visits
    // them.
    const std::vector<std::vector<std::size_t>>& sites() const { return sites_; }

private:
    struct Plant {
        const RevisionTable* table;
        CameraSettings values;
        std::size_t count;
    };
    bool tryBuild(std::vector<std::uint8_t>& image, std::uint64_t fillerSeed);

    std::size_t size_;
    std::uint64_t seed_;
    std::vector<Plant> plants_;
    std::vector<std::vector<std::size_t>> sites_;
};

// Default size of a sample: that of a real game executable.
inline constexpr std::size_t kSampleSize = std::size_t{8} << 20;

// The values planted by default: the game's own (the "Bioware Defaults").
const CameraSettings& sampleValues();

// A whole revision 0 or 1 image with the given values.
std::vector<std::uint8_t> buildSample(int revision, const CameraSettings& values,
                                      std::size_t size = kSampleSize, std::uint64_t seed = 1);

}  // namespace orvendel
