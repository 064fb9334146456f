#include "PluginProcessor.h"
#include "StateChunk.h"

#include <cmath>

void OndrelAudioProcessor::saveStateToXML (juce::XmlElement& xml)
{
    xml.setAttribute ("pluginVersion", StateChunk::formatNumber (pluginVersion.getDoubleValue()));
    xml.setAttribute ("presetName", getPresetName());
    xml.setAttribute ("lastPresetFolderPath", lastPresetFolderPath);

    for (int i = 0; i < paramIDs.size(); ++i)
        xml.setAttribute (paramIDs[i], StateChunk::formatNumber ((double) parameters[i]->getValue()));
}

void OndrelAudioProcessor::loadStateFromXML (juce::XmlElement* xml)
{
    if (xml == nullptr || ! xml->hasTagName ("ONDREL2"))
        return;

    setPresetName (xml->getStringAttribute ("presetName"));
    lastPresetFolderPath = xml->getStringAttribute ("lastPresetFolderPath");

    for (int i = 0; i < paramIDs.size(); ++i)
    {
        double v = xml->getDoubleAttribute (paramIDs[i], 0.0);

        // A value such as "nan" or "1e999" reads as a missing one.
        if (! std::isfinite (v))
            v = 0.0;

        parameters[i]->setValue ((float) v);
    }
}

juce::XmlElement OndrelAudioProcessor::getXmlStateForSaveingPreset()
{
    juce::XmlElement xml ("ONDREL2");
    saveStateToXML (xml);
    return xml;
}

void OndrelAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement xml ("ONDREL2");
    saveStateToXML (xml);
    StateChunk::write (xml, destData);
}

void OndrelAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (auto xml = StateChunk::read (data, sizeInBytes))
        loadStateFromXML (xml.get());
}
