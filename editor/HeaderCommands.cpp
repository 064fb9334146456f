#include "OndrelAudioProcessorEditor.h"

void OndrelAudioProcessorEditor::buttonClicked (juce::Button*)
{
}

void OndrelAudioProcessorEditor::menuItemSelected (int)
{
}
