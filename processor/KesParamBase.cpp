#include "KesParamBase.h"

namespace
{
constexpr int kRandomisedParameters = 8;
constexpr float kControllerScale = 0.00787401f;
} // namespace

KesParamBase::KesParamBase()
{
    randomGenerator.setSeedRandomly();

    undoManager = std::make_unique<juce::UndoManager> (30000, 30);
    undoManager->clearUndoHistory();

    paramProfile = std::make_unique<Ondrel_ParamProfile>();

    learnParamID = juce::String();
    isLearning = false;

    randomGenerator.setSeedRandomly();
}

KesParamBase::~KesParamBase()
{
    undoManager.reset();
    paramProfile.reset();
}

juce::RangedAudioParameter* KesParamBase::findParameter (const juce::String& parameterID) const
{
    const int index = paramIDs.indexOf (parameterID);
    return juce::isPositiveAndBelow (index, parameters.size()) ? parameters[index] : nullptr;
}

void KesParamBase::paramRndReset (int mode)
{
    randomGenerator.setSeedRandomly();

    for (int i = 0; i < kRandomisedParameters && i < paramIDs.size(); ++i)
    {
        if (mode == 0)
        {
            const float r = randomGenerator.nextFloat();

            if (auto* parameter = findParameter (paramIDs[i]))
                parameter->setValue (r);
        }
        else if (auto* parameter = findParameter (paramIDs[i]))
        {
            parameter->setValue (parameter->getDefaultValue());
        }
    }
}

void KesParamBase::processMidiControllers (const juce::MidiBuffer& midi, int numSamples) noexcept
{
    if (numSamples <= 0)
        return;

    for (const auto metadata : midi)
    {
        if (metadata.samplePosition >= numSamples)
            break;

        const juce::uint8* data = metadata.data;

        // Stop (0xFC) and anything but a complete controller message is skipped.
        if (metadata.numBytes < 3 || (data[0] & 0xf0) != 0xb0)
            continue;

        const int cc = data[1];

        // All-sound-off and all-notes-off are channel-mode messages, not controls.
        if (cc == 120 || cc == 123)
            continue;

        const int index = handleController (cc);

        if (juce::isPositiveAndBelow (index, parameters.size()))
            parameters.getUnchecked (index)->setValue ((float) data[2] * kControllerScale);
    }
}
