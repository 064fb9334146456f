#include "PluginInfo.h"

#include "VendorVersion.h"

namespace ondrel::host
{

namespace
{
    std::vector<BusInfo> describeBuses (juce::AudioPluginInstance& plugin, bool isInput)
    {
        std::vector<BusInfo> buses;

        for (int i = 0; i < plugin.getBusCount (isInput); ++i)
            if (auto* bus = plugin.getBus (isInput, i))
                buses.push_back ({ bus->getName(), bus->getNumberOfChannels() });

        return buses;
    }

    juce::String formatBuses (const std::vector<BusInfo>& buses)
    {
        juce::StringArray parts;

        for (const auto& bus : buses)
            parts.add ("\"" + bus.name + "\" (" + juce::String (bus.numChannels) + " ch)");

        return parts.isEmpty() ? juce::String ("none") : parts.joinIntoString (", ");
    }
}

PluginInfo describePlugin (juce::AudioPluginInstance& plugin, const juce::PluginDescription& description)
{
    PluginInfo info;
    info.name = plugin.getName();
    info.vendor = description.manufacturerName;
    info.version = description.version;
    info.uniqueId = description.uniqueId;
    info.vendorVersion = getVst2VendorVersion (plugin);
    info.numInputChannels = plugin.getTotalNumInputChannels();
    info.numOutputChannels = plugin.getTotalNumOutputChannels();
    info.inputBuses = describeBuses (plugin, true);
    info.outputBuses = describeBuses (plugin, false);
    info.acceptsMidi = plugin.acceptsMidi();
    info.producesMidi = plugin.producesMidi();
    info.tailSeconds = plugin.getTailLengthSeconds();
    info.numPrograms = plugin.getNumPrograms();

    for (int i = 0; i < info.numPrograms; ++i)
        info.programNames.add (plugin.getProgramName (i));

    for (auto* parameter : plugin.getParameters())
        info.parameters.push_back ({ parameter->getParameterIndex(),
                                     parameter->getName (1024),
                                     parameter->getLabel(),
                                     parameter->getCurrentValueAsText(),
                                     parameter->getValue() });

    return info;
}

juce::String uniqueIdToText (int uniqueId)
{
    juce::String text;

    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto c = (char) ((uniqueId >> shift) & 0xff);

        if (c < 0x20 || c > 0x7e)
            return "0x" + juce::String::toHexString (uniqueId);

        text += juce::String::charToString (c);
    }

    return text;
}

juce::String formatPluginInfo (const PluginInfo& info)
{
    juce::String text;
    text << "name:           " << info.name << "\n"
         << "vendor:         " << info.vendor << "\n"
         << "version:        " << info.version << " (vendor version " << info.vendorVersion << ")\n"
         << "unique ID:      " << uniqueIdToText (info.uniqueId) << " (" << info.uniqueId << ")\n"
         << "channels:       " << info.numInputChannels << " in, " << info.numOutputChannels << " out\n"
         << "input buses:    " << formatBuses (info.inputBuses) << "\n"
         << "output buses:   " << formatBuses (info.outputBuses) << "\n"
         << "accepts MIDI:   " << (info.acceptsMidi ? "yes" : "no") << "\n"
         << "produces MIDI:  " << (info.producesMidi ? "yes" : "no") << "\n"
         << "tail:           " << info.tailSeconds << " s\n"
         << "programs:       " << info.numPrograms << "\n";

    for (int i = 0; i < info.programNames.size(); ++i)
        text << "  program " << i << ": \"" << info.programNames[i] << "\"\n";

    text << "parameters:     " << (int) info.parameters.size() << "\n";

    for (const auto& p : info.parameters)
        text << "  " << juce::String (p.index).paddedLeft (' ', 3)
             << "  " << ("\"" + p.name + "\"").paddedRight (' ', 24)
             << "  value " << juce::String::formatted ("%.9g", (double) p.value).paddedRight (' ', 12)
             << "  label \"" << p.label << "\"  text \"" << p.text << "\"\n";

    return text;
}

} // namespace ondrel::host
