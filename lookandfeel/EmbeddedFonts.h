#pragma once

#include <juce_core/juce_core.h>

#include <array>

// The twelve TrueType files compiled into the program, under the names the
// looks ask for. The names are our own and differ from the families the files
// give themselves ("Robot Bold" is Roboto Bold; "DSEG7ClassicMini Regular"
// is DSEG7 Classic Bold).
namespace EmbeddedFonts
{
struct Item
{
    const char* name;
    const char* data;
    int size;
};

constexpr int numItems = 12;

// In the order names are compared; the first one is the fallback.
const std::array<Item, numItems>& items();

// Exact, case-sensitive comparison; any other name gives "Robot Bold".
const Item& itemForTypefaceName (const juce::String& typefaceName);
} // namespace EmbeddedFonts
