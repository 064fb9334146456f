#pragma once

#include "editor/OndrelAudioProcessorEditor.h"
#include "tests/processor/TestSupport.h"

#include <memory>

namespace ondrel_test
{
// A processor with its editor open, under a fresh HOME of its own.
class EditorTest : public ProcessorTest
{
protected:
    void openEditor() { editor = std::make_unique<OndrelAudioProcessorEditor> (processor); }

    Ondrel_Gui_Main& surface() { return *editor->mainPanel; }

    // The control or header component with this component ID, searched through the whole surface.
    juce::Component* find (const juce::String& componentID) const
    {
        std::function<juce::Component* (juce::Component&)> search = [&] (juce::Component& c) -> juce::Component*
        {
            if (c.getComponentID() == componentID)
                return &c;
            for (auto* child : c.getChildren())
                if (auto* found = search (*child))
                    return found;
            return nullptr;
        };
        return search (*editor->mainPanel);
    }

    OndrelAudioProcessor processor;
    std::unique_ptr<OndrelAudioProcessorEditor> editor;
};

inline std::string str (juce::Rectangle<int> r) { return r.toString().toStdString(); }
} // namespace ondrel_test
