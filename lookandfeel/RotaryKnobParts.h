#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The drawing both rotary knob looks share: the knob's centre and radius, the
// cap over the track (shadow, body, gradients, rings, pointer) and the caption
// under it.
namespace RotaryKnobParts
{
struct Centre
{
    float cx, cy, r;

    // The square the track's pie segments are built on.
    juce::Rectangle<float> trackSquare() const { return { cx - r, cy - r, 2.0f * r, 2.0f * r }; }
};

Centre centreOf (int x, int y, int width, int height);

// Side of the square left inside a track of width d once the outer ring (8 %)
// is taken off: the outer ring's square.
float outerRingSide (float trackWidth);

// Cap ellipse E1: the outer ring's square less 2 % on each side.
juce::Rectangle<float> capBounds (const Centre& c, float trackWidth);

// The pointer stands at the slider's position between the rotary angles; the
// centre takes the slider's thumb colour.
void drawCapAndPointer (juce::Graphics& g, const Centre& c, juce::Rectangle<float> cap, const juce::Slider& slider,
                        float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle);

// The caption band under the knob; its justification is the look's.
void drawCaption (juce::Graphics& g, const juce::Slider& slider, const Centre& c,
                  const juce::String& text, const juce::Font& font, juce::Justification justification);

// The band the caption and the end labels share the margin of.
int captionMargin (const Centre& c);
juce::Rectangle<int> captionArea (const juce::Slider& slider, const Centre& c);
juce::Font captionFont (const juce::Slider& slider);
} // namespace RotaryKnobParts
