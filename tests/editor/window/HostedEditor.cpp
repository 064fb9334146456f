#include "HostedEditor.h"

#include "HostedPlugin.h"

#include <stdexcept>

namespace ondrel::windowtests
{

HostedEditor::HostedEditor (int width, int height)
{
    const auto folder = settingsFile().getParentDirectory();
    folder.deleteRecursively();
    folder.createDirectory();
    juce::XmlElement settings ("ONDREL");
    settings.setAttribute ("window_width", width);
    settings.setAttribute ("window_height", height);
    EXPECT_TRUE (settings.writeTo (settingsFile()));

    onMessageThread ([this]
    {
        plugin = hosttests::openPlugin (44100.0, buffer.getNumSamples()).instance;
        if (plugin != nullptr)
            plugin->prepareToPlay (44100.0, buffer.getNumSamples());
    });
    if (plugin == nullptr)
        throw std::runtime_error ("no plug-in to test");

    editor = std::make_unique<EditorWindow> (*plugin);
    openEditor();
}

HostedEditor::~HostedEditor()
{
    // A menu left open by a failed test holds the message thread in its modal loop.
    for (int i = 0; i < 3 && viewableTopLevels().size() > 1; ++i, pause (200))
        pressEscape();

    editor.reset();
    onMessageThread ([this]
    {
        if (plugin != nullptr)
            plugin->releaseResources();
        plugin.reset();
    });
}

void HostedEditor::openEditor()
{
    juce::String error;
    EXPECT_TRUE (editor->open (error)) << error;
}

void HostedEditor::process (int controller, int value)
{
    juce::MidiBuffer midi;
    if (controller >= 0)
        midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, value), 0);
    buffer.clear();
    plugin->processBlock (buffer, midi);
}

juce::File settingsFile()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile ("Application Support/Kesmark/Ondrel.settings");
}

juce::File midiTableFile() { return settingsFile().getSiblingFile ("Ondrel.miditable"); }

juce::String storedAttribute (const juce::File& file, const char* name)
{
    const auto root = juce::parseXML (file);
    return root != nullptr ? root->getStringAttribute (name, "(none)") : "(no file)";
}

} // namespace ondrel::windowtests
