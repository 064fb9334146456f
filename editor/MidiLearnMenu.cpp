#include "HeaderCommands.h"
#include "OndrelAudioProcessorEditor.h"

namespace
{
enum MenuItem
{
    dismissed = 0,
    learnItem = 1,
    unlearnItem = 2,
    assignedItem = 3
};

// The parameter a click on c is about, or empty. The parts inside the
// waveform box (its text label) carry no ID of their own.
juce::String learnTarget (const juce::Component& c, const juce::Array<juce::String>& learnable)
{
    if (const auto* parent = c.getParentComponent(); parent != nullptr && parent->getName() == "LFO Waveform")
        return "lfo_wave";

    const auto id = c.getComponentID();
    return learnable.contains (id) ? id : juce::String();
}

// The buttons and keys held now, together with those recorded with the press:
// a quick click can be released before this handler runs.
bool asksForMenu (const juce::MouseEvent& e)
{
    constexpr int menuFlags = juce::ModifierKeys::rightButtonModifier | juce::ModifierKeys::ctrlModifier;
    const int held = juce::ModifierKeys::getCurrentModifiersRealtime().getRawFlags() | e.mods.getRawFlags();
    return (held & menuFlags) != 0;
}
} // namespace

void OndrelAudioProcessorEditor::mouseDown (const juce::MouseEvent& e)
{
    auto* clicked = e.originalComponent;

    if (clicked == nullptr)
        return;

    const auto id = learnTarget (*clicked, processorRef.learnableParamIDs);

    // Any other click was already handled by the clicked component itself:
    // handing it the event again would begin a second drag gesture on a knob.
    if (id.isEmpty() || ! asksForMenu (e))
        return;

    const int cc = processorRef.learnedController (id);

    juce::PopupMenu menu;
    menu.addItem (learnItem, "Midi Learn", true, false);
    menu.addItem (unlearnItem, "Midi UnLearn", true, false);
    menu.addSeparator();
    menu.addItem (assignedItem, "Assigned CC: " + (cc < 0 ? juce::String ("---") : juce::String (cc)), false, false);

    // The host may close the window while the menu runs its own loop.
    juce::Component::SafePointer<OndrelAudioProcessorEditor> alive (this);
    const int result = menu.showMenu (HeaderCommands::menuOptions (*this, *clicked, 0.1f, 0.08f));

    if (alive == nullptr)
        return;

    if (result == learnItem)
        processorRef.armLearn (id);
    else if (result == unlearnItem)
        processorRef.unlearn (id);
}
