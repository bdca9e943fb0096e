#pragma once

#include <array>

namespace tavirel::formulas {

// The three ways a formula is picked for display; they differ in the grid's column widths, in
// where the herbs of the composition are looked up and in how a herb found nowhere is treated.
enum class DisplayEntry { Tree, SearchList, OwnList };

struct DisplayVariant
{
    std::array<int, 3> widthsTwips; // herb, dosage, meridians
    // The tree names each herb missing from the herb table in a message and keeps all rows; the
    // lists also look in the own herbs and drop one row per herb found nowhere.
    bool reportsMissing;
};

constexpr DisplayVariant displayVariant(DisplayEntry entry)
{
    if (entry == DisplayEntry::Tree)
        return {{2200, 660, 5200}, true};
    return {{2500, 660, 3800}, false};
}

} // namespace tavirel::formulas
