#include "Parameters.h"

namespace ondrel::host
{

std::optional<ParameterSetting> parseParameterSetting (const juce::String& text)
{
    const auto split = text.lastIndexOfChar ('=');

    if (split <= 0)
        return std::nullopt;

    const auto key = text.substring (0, split).trim();
    const auto valueText = text.substring (split + 1).trim();

    if (key.isEmpty() || ! valueText.containsOnly ("0123456789.eE+-") || ! valueText.containsAnyOf ("0123456789"))
        return std::nullopt;

    return ParameterSetting { key, valueText.getFloatValue() };
}

juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& plugin, const juce::String& key)
{
    const auto& parameters = plugin.getParameters();

    if (key.containsOnly ("0123456789"))
    {
        const auto index = key.getIntValue();
        return juce::isPositiveAndBelow (index, parameters.size()) ? parameters[index] : nullptr;
    }

    for (auto* parameter : parameters)
        if (parameter->getName (1024).equalsIgnoreCase (key))
            return parameter;

    return nullptr;
}

bool applyParameterSettings (juce::AudioPluginInstance& plugin,
                             const std::vector<ParameterSetting>& settings,
                             juce::String& error)
{
    for (const auto& setting : settings)
    {
        auto* parameter = findParameter (plugin, setting.key);

        if (parameter == nullptr)
        {
            error = "no parameter \"" + setting.key + "\"";
            return false;
        }

        if (! (setting.value >= 0.0f && setting.value <= 1.0f))
        {
            error = "value for \"" + setting.key + "\" is not a normalised value in 0..1";
            return false;
        }

        parameter->setValue (setting.value);
    }

    return true;
}

} // namespace ondrel::host
