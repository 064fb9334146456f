#include "Numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace ondrel::host
{

namespace
{
    // Skips a run of digits from `i`; returns how many there were.
    int skipDigits (const std::string& s, size_t& i)
    {
        const auto start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return (int) (i - start);
    }

    void skipSign (const std::string& s, size_t& i)
    {
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
    }
}

std::optional<double> parseDecimal (const juce::String& text)
{
    const auto s = text.toStdString();
    size_t i = 0;
    skipSign (s, i);
    auto digits = skipDigits (s, i);

    if (i < s.size() && s[i] == '.')
        digits += skipDigits (s, ++i);

    if (digits == 0)
        return std::nullopt;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E'))
    {
        skipSign (s, ++i);
        if (skipDigits (s, i) == 0)
            return std::nullopt;
    }

    if (i != s.size())
        return std::nullopt;

    // The grammar above is plain C-locale decimal: strtod reads all of it.
    const auto value = std::strtod (s.c_str(), nullptr);
    return std::isfinite (value) ? std::optional (value) : std::nullopt;
}

std::optional<juce::int64> parseWholeNumber (const juce::String& text, juce::int64 low, juce::int64 high)
{
    const auto s = text.toStdString();
    size_t end = 0;

    if (skipDigits (s, end) == 0 || end != s.size())
        return std::nullopt;

    juce::int64 value = 0;

    for (const auto c : s)
    {
        const auto digit = c - '0';
        // Beyond `high` (or beyond 64 bits) stays out of range however many digits follow.
        if (value > (std::numeric_limits<juce::int64>::max() - digit) / 10 || value * 10 + digit > high)
            return std::nullopt;
        value = value * 10 + digit;
    }

    return value >= low ? std::optional (value) : std::nullopt;
}

} // namespace ondrel::host
