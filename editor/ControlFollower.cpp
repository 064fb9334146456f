#include "ControlFollower.h"
#include "WaveformBoxAttachment.h"

namespace
{
juce::Component* findByID (juce::Component& root, const juce::String& id)
{
    if (root.getComponentID() == id)
        return &root;

    for (auto* child : root.getChildren())
        if (auto* found = findByID (*child, id))
            return found;

    return nullptr;
}
} // namespace

ControlFollower::ControlFollower (juce::AudioProcessorValueTreeState& s, const juce::Array<juce::String>& parameterIDs,
                                  juce::Component& surface)
    : state (s), ids (parameterIDs.begin(), juce::jmin (parameterIDs.size(), kMaxParameters))
{
    for (int i = 0; i < ids.size(); ++i)
        controls[(size_t) i] = findByID (surface, ids[i]);

    // Listeners are called at once on the audio and host threads: everything
    // parameterChanged reads is complete before the first one is registered.
    for (const auto& id : ids)
        state.addParameterListener (id, this);

    startTimer (kPollMs);
}

ControlFollower::~ControlFollower()
{
    // Once removed, no callback is running: the parameter tree calls its
    // listeners under the same lock.
    for (const auto& id : ids)
        state.removeParameterListener (id, this);

    stopTimer();
}

void ControlFollower::parameterChanged (const juce::String& parameterID, float)
{
    const int index = ids.indexOf (parameterID);

    if (index < 0)
        return;

    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        show (index);
        return;
    }

    pending[(size_t) index].store (true, std::memory_order_release);
}

void ControlFollower::timerCallback()
{
    for (int i = 0; i < ids.size(); ++i)
        if (pending[(size_t) i].exchange (false, std::memory_order_acq_rel))
            show (i);
}

// The value as the attachment would show it, without a notification, so the
// control does not write back to its parameter.
void ControlFollower::show (int index)
{
    auto* parameter = state.getParameter (ids[index]);
    auto* control = controls[(size_t) index].getComponent();

    if (parameter == nullptr || control == nullptr)
        return;

    const float normalised = parameter->getValue();

    if (auto* slider = dynamic_cast<juce::Slider*> (control))
        slider->setValue ((double) parameter->convertFrom0to1 (normalised), juce::dontSendNotification);
    else if (auto* box = dynamic_cast<juce::ComboBox*> (control))
    {
        // The only box is the waveform's.
        if (const int item = WaveformBoxAttachment::playedItem (*parameter, *box); item >= 0)
            box->setSelectedItemIndex (item, juce::dontSendNotification);
    }
    else if (auto* button = dynamic_cast<juce::Button*> (control))
        button->setToggleState (normalised >= 0.5f, juce::dontSendNotification);
}
