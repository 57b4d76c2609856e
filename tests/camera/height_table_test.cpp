#include "camera/height_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

TEST(HeightTable, ItemForEachHeightAndHeightForEachValidItem) {
    for (int i = 0; i < kHeightItemCount; ++i)
        EXPECT_EQ(heightItemFor(kHeightTable[static_cast<std::size_t>(i)].height), i) << i;
    const struct {
        float height;
        int item;
    } rows[] = {
        // clang-format off
        {1.75f, 7}, {1.76f, 8}, {2.15f, 12}, {1.05f, 0}, {std::nextafter(1.05f, 2.0f), 1},
        {0.0f, 0}, {-5.0f, 0}, {-INFINITY, 0}, {3.0f, 13}, {INFINITY, 13}, {std::nanf(""), 13},
        {kBiowareDefaults.CTHeight, 0}, {kBiowareDefaults.DHeight, 11},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(heightItemFor(row.height), row.item) << row.height;

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

TEST(HeightTable, ARoundTripThroughTheListGivesTheHeightOfTheItemShown) {
    const struct {
        float height;
        float stored;
    } rows[] = {
        // clang-format off
        {1.7f, 1.65f}, {1.76f, 1.8f}, {2.12f, 2.1f}, {1.05f, 1.0f}, {1.32f, 1.32f},
        {2.2f, 2.2f}, {0.0f, 1.0f}, {3.0f, 2.2f}, {std::nanf(""), 2.2f},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(snapHeightToList(row.height), row.stored) << row.height;
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
