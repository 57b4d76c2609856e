// SPDX-License-Identifier: MIT
#include "camera/height_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

// The item shown for a height, and the height a round trip through the list stores.
TEST(HeightTable, ItemForEachHeightAndHeightForEachValidItem) {
    for (int i = 0; i < kHeightItemCount; ++i)
        EXPECT_EQ(heightItemFor(kHeightTable[static_cast<std::size_t>(i)].height), i) << i;
    const struct {
        float height;
        int item;
        float stored;
    } rows[] = {
        // clang-format off
        {1.7f, 7, 1.65f}, {1.75f, 7, 1.65f}, {1.76f, 8, 1.8f}, {2.12f, 12, 2.1f}, {2.15f, 12, 2.1f},
        {1.05f, 0, 1.0f}, {std::nextafter(1.05f, 2.0f), 1, 1.1f}, {1.32f, 4, 1.32f},
        {0.0f, 0, 1.0f}, {-5.0f, 0, 1.0f}, {-INFINITY, 0, 1.0f}, {2.2f, 13, 2.2f}, {3.0f, 13, 2.2f},
        {INFINITY, 13, 2.2f}, {std::nanf(""), 13, 2.2f},
        {kBiowareDefaults.CTHeight, 0, 1.0f}, {kBiowareDefaults.DHeight, 11, 2.0f},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(heightItemFor(row.height), row.item) << row.height;
        EXPECT_EQ(snapHeightToList(row.height), row.stored) << row.height;
    }

    // Reading an item back: only a valid index sets the field.
    float height = 1.7f;
    EXPECT_FALSE(readHeight(height, -1));
    EXPECT_FALSE(readHeight(height, 14));
    EXPECT_EQ(height, 1.7f);
    EXPECT_TRUE(readHeight(height, 12));
    EXPECT_EQ(height, 2.1f);
    EXPECT_TRUE(readHeight(height, 0));
    EXPECT_EQ(height, 1.0f);
}

TEST(HeightTable, ListsDifferOnlyInTheBiowareDefaultItems) {
    EXPECT_EQ(heightCaption(Camera::ChaseTopDown, 0), "1.00m (Bioware Default)");
    EXPECT_EQ(heightCaption(Camera::Drive, 0), "1.00m");
    EXPECT_EQ(heightCaption(Camera::ChaseTopDown, 11), "2.00m");
    EXPECT_EQ(heightCaption(Camera::Drive, 11), "2.00m (Bioware Default)");
    for (int i = 1; i < kHeightItemCount; ++i) {
        if (i != 11) {
            EXPECT_EQ(heightCaption(Camera::ChaseTopDown, i), heightCaption(Camera::Drive, i)) << i;
        }
    }
    EXPECT_EQ(heightCaption(Camera::Drive, 7), "1.65m Half-Elf Female, Human Female");
    EXPECT_EQ(heightCaption(Camera::Drive, 14), "");
}

}  // namespace
}  // namespace orvendel
