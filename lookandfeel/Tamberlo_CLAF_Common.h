#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Base of every look of the program: the V3 look, with every font resolved to
// one of the embedded faces. The framework resolves fonts through the default
// look-and-feel, so text is set in our faces whichever look draws it.
class Tamberlo_CLAF_Common : public juce::LookAndFeel_V3
{
public:
    Tamberlo_CLAF_Common() = default;
    ~Tamberlo_CLAF_Common() override = default;

    // A new typeface on every call: the framework's typeface cache sits in front.
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;
};
