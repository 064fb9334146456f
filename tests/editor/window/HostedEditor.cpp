#include "HostedEditor.h"

#include "HostedPlugin.h"
#include "MessageThread.h"
#include "ScreenDriver.h"
#include "StateChunks.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace ondrel::windowtests
{

namespace
{
    void writeSettings (int windowWidth, int windowHeight, const juce::String& presetLocation)
    {
        const auto folder = settingsFile().getParentDirectory();
        folder.deleteRecursively();
        folder.createDirectory();

        juce::XmlElement root ("ONDREL");
        root.setAttribute ("presetLocation", presetLocation);
        root.setAttribute ("window_width", windowWidth);
        root.setAttribute ("window_height", windowHeight);
        EXPECT_TRUE (root.writeTo (settingsFile()));
    }
}

HostedEditor::HostedEditor (int width, int height, const juce::String& presetLocation)
{
    writeSettings (width, height, presetLocation);
    onMessageThread ([this]
    {
        plugin = hosttests::openPlugin (sampleRate, blockSize).instance;

        if (plugin != nullptr)
            plugin->prepareToPlay (sampleRate, blockSize);
    });

    if (plugin == nullptr)
        throw std::runtime_error ("no plug-in to test");

    editor = std::make_unique<EditorWindow> (*plugin);
    openEditor();
}

HostedEditor::~HostedEditor()
{
    // A menu left open by a failed test holds the message thread in its modal loop.
    for (int i = 0; i < 3 && windowhost::viewableTopLevels().size() > 1; ++i)
    {
        pressEscape();
        pause (200);
    }

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

juce::String HostedEditor::stateAttribute (const char* name)
{
    std::optional<juce::MemoryBlock> chunk;
    onMessageThread ([&] { chunk = host::getChunk (*plugin); });
    // The plug-in's chunk: magic, length, the element's text, a zero byte.
    const auto element = chunk && chunk->getSize() > 9
                             ? juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (chunk->getData()) + 8,
                                                                       (int) chunk->getSize() - 9))
                             : nullptr;
    return element != nullptr ? element->getStringAttribute (name, "(none)") : "(no state)";
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

juce::File midiTableFile()
{
    return settingsFile().getSiblingFile ("Ondrel.miditable");
}

juce::String storedAttribute (const juce::File& file, const char* name)
{
    const auto root = juce::parseXML (file);
    return root != nullptr ? root->getStringAttribute (name, "(none)") : "(no file)";
}

} // namespace ondrel::windowtests
