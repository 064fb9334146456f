#include "lookandfeel/Tamberlo_CLAF_Common.h"

#include "lookandfeel/EmbeddedFonts.h"

juce::Typeface::Ptr Tamberlo_CLAF_Common::getTypefaceForFont (const juce::Font& font)
{
    // Style and height are applied by the font itself; only the name picks the file.
    const auto& item = EmbeddedFonts::itemForTypefaceName (font.getTypefaceName());
    return juce::Typeface::createSystemTypefaceFor (item.data, (size_t) item.size);
}
