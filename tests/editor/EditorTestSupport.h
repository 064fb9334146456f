#pragma once

#include "../processor/TestSupport.h"
#include "editor/OndrelAudioProcessorEditor.h"

#include <deque>
#include <stdexcept>

namespace editor_test
{
using namespace ondrel_test;

// The first component of type T in the tree under `root` that satisfies `wanted`, or null.
template <typename T>
T* find (juce::Component& root, const std::function<bool (T&)>& wanted = [] (T&) { return true; })
{
    if (auto* t = dynamic_cast<T*> (&root); t != nullptr && wanted (*t))
        return t;

    for (auto* child : root.getChildren())
        if (auto* t = find (*child, wanted))
            return t;

    return nullptr;
}

// What an open menu shows: a row per item, "----" for a separator and
// " (off)" after an item that cannot be chosen; the items' heights.
struct ShownMenu
{
    juce::String rows, heights;
    int width = 0;
};

// A processor and its editor under a fresh HOME; the preset folder is
// "presets" there, not created.
class EditorTest : public ProcessorTest
{
protected:
    EditorTest()
    {
        processor->presetLocation = presets.getFullPathName();
        editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
    }

    // The control or header component of type T with this component ID; the test ends without one.
    template <typename T = juce::Component>
    T& get (const juce::String& componentID) const
    {
        if (auto* t = find<T> (*editor->mainPanel, [&] (T& c) { return c.getComponentID() == componentID; }))
            return *t;
        throw std::runtime_error (("no such component: " + componentID).toStdString()); // the test fails
    }
    void click (const juce::String& componentID) { editor->buttonClicked (&get<juce::Button> (componentID)); }
    std::array<float, kNumParameters> values() const { return captureState (*processor).values; }

    // Runs `action`; each modal component that comes up meanwhile (a menu or
    // a dialog in its nested loop) goes to the next step, from a timer. Fails
    // unless every step ran; dismisses and fails on any further one.
    using Step = std::function<void (juce::Component&)>;
    static void whileModal (const std::function<void()>& action, std::deque<Step> steps);
    static Step choose (int result) { return [result] (juce::Component& c) { c.exitModalState (result); }; }
    // The menu that `action` opens, read and then answered as the user would:
    // `downs` arrow-down presses and return, or (none) escape. Fails unless exactly one menu opens.
    static ShownMenu menuOf (const std::function<void()>& action, int downs = 0);
    // The framework's own file dialog: shows `folder`, types `name`, confirms.
    static Step chooseFile (const juce::File& folder, const juce::String& name, const juce::String& title);

    juce::File presets = home.folder.getChildFile ("presets");
    std::unique_ptr<OndrelAudioProcessor> processor = std::make_unique<OndrelAudioProcessor>();
    std::unique_ptr<OndrelAudioProcessorEditor> editor; // made once the preset folder is set
};
inline std::string str (juce::Rectangle<int> r) { return r.toString().toStdString(); }
} // namespace editor_test
