#include "Parameters.h"

#include "Numbers.h"

namespace ondrel::host
{

std::optional<ParameterSetting> parseParameterSetting (const juce::String& text)
{
    const auto split = text.lastIndexOfChar ('=');

    if (split <= 0)
        return std::nullopt;

    const auto key = text.substring (0, split).trim();
    const auto valueText = text.substring (split + 1).trim();

    const auto value = parseDecimal (valueText);

    if (key.isEmpty() || ! value || ! (*value >= 0.0 && *value <= 1.0))
        return std::nullopt;

    return ParameterSetting { key, (float) *value };
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
            error = "--param: the plug-in has no parameter \"" + setting.key + "\"";
            return false;
        }

        parameter->setValue (setting.value);
    }

    return true;
}

} // namespace ondrel::host
