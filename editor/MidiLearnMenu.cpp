#include "OndrelAudioProcessorEditor.h"

void OndrelAudioProcessorEditor::mouseDown (const juce::MouseEvent&)
{
}
