#include "OndrelAudioProcessorEditor.h"

void OndrelAudioProcessorEditor::saveAs()
{
}
