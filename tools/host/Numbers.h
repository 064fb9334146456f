#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace ondrel::host
{

// Strict readers for numbers typed on the command line: the whole text is
// the number, with no blanks, no second point and no dangling sign or
// exponent, so "0.5.5", "1e" or "--1" are refused rather than read in part.

// [+-]digits[.digits][e[+-]digits], or with the digits only after the point.
std::optional<double> parseDecimal (const juce::String& text);

// Digits only, within low..high; a value too large for 64 bits is out of range, never wrapped.
std::optional<juce::int64> parseWholeNumber (const juce::String& text, juce::int64 low, juce::int64 high);

} // namespace ondrel::host
