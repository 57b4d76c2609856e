// SPDX-License-Identifier: MIT
#include "camera/height_table.h"

#include <cmath>

namespace orvendel {

const std::array<HeightItem, kHeightItemCount> kHeightTable = {{
    {1.0f, 0.0f, "1.00m (Bioware Default)", "1.00m"},
    {1.1f, 1.05f, "1.10m Halfling Female", "1.10m Halfling Female"},
    {1.18f, 1.14f, "1.18m Halfling Male, Gnome Female", "1.18m Halfling Male, Gnome Female"},
    {1.25f, 1.21f, "1.25m Gnome Male, Dwarf Female", "1.25m Gnome Male, Dwarf Female"},
    {1.32f, 1.29f, "1.32m Dwarf Male", "1.32m Dwarf Male"},
    {1.5f, 1.4f, "1.50m Elf Female", "1.50m Elf Female"},
    {1.6f, 1.55f, "1.60m Elf Male", "1.60m Elf Male"},
    {1.65f, 1.62f, "1.65m Half-Elf Female, Human Female", "1.65m Half-Elf Female, Human Female"},
    {1.8f, 1.75f, "1.80m Half-Elf Male, Human Male", "1.80m Half-Elf Male, Human Male"},
    {1.85f, 1.82f, "1.85m Half-Orc Female", "1.85m Half-Orc Female"},
    {1.97f, 1.9f, "1.97m Half-Orc Male", "1.97m Half-Orc Male"},
    {2.0f, 1.98f, "2.00m", "2.00m (Bioware Default)"},
    {2.1f, 2.05f, "2.10m", "2.10m"},
    {2.2f, 2.15f, "2.20m", "2.20m"},
}};

std::string_view heightCaption(Camera camera, int index) {
    if (index < 0 || index >= kHeightItemCount)
        return {};
    const HeightItem& item = kHeightTable[static_cast<std::size_t>(index)];
    return camera == Camera::ChaseTopDown ? item.captionA : item.captionB;
}

int heightItemFor(float height) {
    if (std::isnan(height))
        return kHeightItemCount - 1;
    for (int i = kHeightItemCount - 1; i >= 1; --i) {
        if (height > kHeightTable[static_cast<std::size_t>(i)].threshold)
            return i;
    }
    return 0;
}

bool readHeight(float& height, int selectedIndex) {
    if (selectedIndex < 0 || selectedIndex >= kHeightItemCount)
        return false;
    height = kHeightTable[static_cast<std::size_t>(selectedIndex)].height;
    return true;
}

float snapHeightToList(float height) {
    readHeight(height, heightItemFor(height));
    return height;
}

}  // namespace orvendel
