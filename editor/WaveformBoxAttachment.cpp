#include "WaveformBoxAttachment.h"

#include "processor/LfoWaveformIndex.h"

#include <cmath>

WaveformBoxAttachment::WaveformBoxAttachment (juce::RangedAudioParameter& p, juce::ComboBox& b, juce::UndoManager* undoManager)
    : box (b),
      parameter (p),
      attachment (p, [this] (float) { showPlayedWaveform(); }, undoManager)
{
    attachment.sendInitialUpdate();
    box.addListener (this);
}

WaveformBoxAttachment::~WaveformBoxAttachment()
{
    box.removeListener (this);
}

int WaveformBoxAttachment::playedItem (const juce::RangedAudioParameter& p, const juce::ComboBox& b)
{
    // As the parameter tree hands the value to the sound path.
    const float value = p.convertFrom0to1 (p.getValue());

    if (! std::isfinite (value))
        return -1;

    return juce::jlimit (0, b.getNumItems() - 1, lfoWaveformIndex (value));
}

// The notified value is not used: the sound path reads the parameter's stored
// value back, and the box follows what the sound plays.
void WaveformBoxAttachment::showPlayedWaveform()
{
    const int item = playedItem (parameter, box);

    if (item < 0 || item == box.getSelectedItemIndex())
        return;

    const juce::ScopedValueSetter<bool> ignore (ignoreCallbacks, true);
    box.setSelectedItemIndex (item, juce::sendNotificationSync);
}

void WaveformBoxAttachment::comboBoxChanged (juce::ComboBox*)
{
    const int item = box.getSelectedItemIndex();

    if (! ignoreCallbacks && item >= 0)
        attachment.setValueAsCompleteGesture ((float) item);
}
