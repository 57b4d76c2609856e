// The sample executables the other tests and make-sample rely on.
#include "sample_builder.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "patcher/table_run.h"

namespace orvendel {
namespace {

std::size_t longestZeroRun(const std::vector<std::uint8_t>& bytes) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (std::uint8_t b : bytes) {
        run = b == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST(SampleBuilder, SamplesAreRecognisedOnlyByTheirOwnRevisionAndHaveZeroRuns) {
    for (int revision : {0, 1}) {
        const auto image = buildSample(revision, sampleValues(), kSampleSize, 9);
        ASSERT_EQ(image.size(), kSampleSize);
        CameraState state;
        EXPECT_EQ(runRevisionTable(kRevision0Table, true, image, state, nullptr).recognised,
                  revision == 0);
        EXPECT_EQ(runRevisionTable(kRevision1Table, true, image, state, nullptr).recognised,
                  revision == 1);
        EXPECT_GE(longestZeroRun(image), 16u) << "filler like real code and data";
    }
}

TEST(SampleBuilder, SeedsGiveDifferentFillerAndTheSameSeedTheSameImage) {
    EXPECT_EQ(buildSample(1, sampleValues(), 65536, 4), buildSample(1, sampleValues(), 65536, 4));
    EXPECT_NE(buildSample(1, sampleValues(), 65536, 4), buildSample(1, sampleValues(), 65536, 5));
}

TEST(SampleBuilder, RefusesValuesThatBreakASignatureAndSizesTooSmall) {
    CameraSettings values = sampleValues();
    values.DAngleMin = 33.3f;
    EXPECT_THROW(buildSample(0, values, 65536), std::invalid_argument);
    EXPECT_NO_THROW(buildSample(1, values, 65536)) << "revision 1 has no such constraint";
    EXPECT_THROW(buildSample(0, sampleValues(), 300), std::invalid_argument);
}

}  // namespace
}  // namespace orvendel
