#include "HostedEditor.h"

#include "HostedPlugin.h"
#include "MessageThread.h"
#include "ScreenDriver.h"
#include "XSession.h"

#include <gtest/gtest.h>

namespace ondrel::windowtests
{

HostedEditor::HostedEditor()
{
    onMessageThread ([this]
    {
        plugin = hosttests::openPlugin (sampleRate, blockSize).instance;

        if (plugin != nullptr)
            plugin->prepareToPlay (sampleRate, blockSize);
    });

    if (plugin != nullptr)
        openEditor();
}

HostedEditor::~HostedEditor()
{
    // A menu left open by a failed test holds the message thread in its modal loop.
    for (int i = 0; i < 3 && viewableTopLevels().size() > 1; ++i)
    {
        pressEscape();
        pause (200);
    }

    closeEditor();
    onMessageThread ([this]
    {
        if (plugin != nullptr)
            plugin->releaseResources();
        plugin.reset();
    });
}

void HostedEditor::openEditor()
{
    onMessageThread ([this]
    {
        editor.reset (plugin->createEditorIfNeeded());

        if (editor == nullptr)
            return;

        // The host's window is the hosting component itself: when the plug-in
        // asks to be resized, JUCE's host resizes it, and so the X window.
        editor->setTopLeftPosition (screenX, screenY);
        editor->addToDesktop (0);
        editor->setVisible (true);
        hostWindow = (unsigned long) (juce::pointer_sized_uint) editor->getWindowHandle();
    });

    ASSERT_NE (editor, nullptr) << "the plug-in made no editor";
    EXPECT_TRUE (waitUntil ([this] { return ! editorScreenBounds().isEmpty(); }))
        << "the plug-in's window never appeared";
}

void HostedEditor::closeEditor()
{
    onMessageThread ([this]
    {
        editor.reset();
        hostWindow = 0;
    });
}

juce::Rectangle<int> HostedEditor::editorScreenBounds() const
{
    if (hostWindow == 0)
        return {};

    for (const auto& box : viewableChildren (hostWindow))
        return { box.x, box.y, box.width, box.height };

    return {};
}

juce::Point<int> HostedEditor::toScreen (juce::Point<int> editorPoint) const
{
    return editorScreenBounds().getPosition() + editorPoint;
}

juce::Rectangle<int> HostedEditor::hostWindowBounds()
{
    juce::Rectangle<int> bounds;
    onMessageThread ([&] { if (editor != nullptr) bounds = editor->getScreenBounds(); });
    return bounds;
}

bool HostedEditor::waitForEditorSize (int width, int height, int timeoutMs) const
{
    return waitUntil ([&] {
        const auto r = editorScreenBounds();
        return r.getWidth() == width && r.getHeight() == height;
    }, timeoutMs);
}

float HostedEditor::value (int parameterIndex) const
{
    return plugin->getParameters()[parameterIndex]->getValue();
}

void HostedEditor::setValue (int parameterIndex, float normalised)
{
    plugin->getParameters()[parameterIndex]->setValue (normalised);
}

void HostedEditor::process (const juce::MidiBuffer& midi)
{
    juce::MidiBuffer copy (midi);
    buffer.clear();
    plugin->processBlock (buffer, copy);
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

void writeSettings (int windowWidth, int windowHeight, const juce::String& presetLocation)
{
    const auto folder = settingsFile().getParentDirectory();
    folder.deleteRecursively();
    folder.createDirectory();

    juce::XmlElement root ("ONDREL");
    root.setAttribute ("presetLocation", presetLocation);
    root.setAttribute ("window_width", windowWidth);
    root.setAttribute ("window_height", windowHeight);
    ASSERT_TRUE (root.writeTo (settingsFile()));
}

} // namespace ondrel::windowtests
