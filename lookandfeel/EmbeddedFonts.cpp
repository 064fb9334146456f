#include "lookandfeel/EmbeddedFonts.h"

#include <BinaryData.h>

namespace EmbeddedFonts
{
const std::array<Item, numItems>& items()
{
    static const std::array<Item, numItems> table { {
        { "Robot Bold", BinaryData::RobotoBold_ttf, BinaryData::RobotoBold_ttfSize },
        { "Robot Medium", BinaryData::RobotoMedium_ttf, BinaryData::RobotoMedium_ttfSize },
        { "Robot Regular", BinaryData::RobotoRegular_ttf, BinaryData::RobotoRegular_ttfSize },
        { "Robot Bold Italic", BinaryData::RobotoBoldItalic_ttf, BinaryData::RobotoBoldItalic_ttfSize },
        { "DSEG7ClassicMini Regular", BinaryData::DSEG7ClassicBold_ttf, BinaryData::DSEG7ClassicBold_ttfSize },
        { "DSEG14ClassicMini Regular", BinaryData::DSEG14ClassicMiniRegular_ttf, BinaryData::DSEG14ClassicMiniRegular_ttfSize },
        { "Distant Galaxy", BinaryData::DistantGalaxyStandInRegular_ttf, BinaryData::DistantGalaxyStandInRegular_ttfSize },
        { "Nevis", BinaryData::NevisStandInBold_ttf, BinaryData::NevisStandInBold_ttfSize },
        { "Arrows", BinaryData::ArrowsStandInRegular_ttf, BinaryData::ArrowsStandInRegular_ttfSize },
        { "Arrows2", BinaryData::Arrow7StandInRegular_ttf, BinaryData::Arrow7StandInRegular_ttfSize },
        { "Arrows3", BinaryData::ArrowSymbols1StandInRegular_ttf, BinaryData::ArrowSymbols1StandInRegular_ttfSize },
        { "Gloria", BinaryData::GloriaHallelujahRegular_ttf, BinaryData::GloriaHallelujahRegular_ttfSize },
    } };
    return table;
}

const Item& itemForTypefaceName (const juce::String& typefaceName)
{
    for (auto& item : items())
        if (typefaceName == item.name)
            return item;

    return items().front();
}
} // namespace EmbeddedFonts
