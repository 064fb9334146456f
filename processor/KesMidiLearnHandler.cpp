#include "KesMidiLearnHandler.h"

#include "SettingsFiles.h"
#include "Utf8Text.h"

namespace
{
constexpr int kPollIntervalMs = 20;
}

KesMidiLearnHandler::KesMidiLearnHandler()
{
    for (auto& index : boundIndex)
        index.store (-1, std::memory_order_relaxed);
}

KesMidiLearnHandler::~KesMidiLearnHandler()
{
    poller.stopTimer();
    stopTimer();
}

void KesMidiLearnHandler::armLearn (const juce::String& parameterID)
{
    const int index = learnableParamIDs.indexOf (parameterID);

    if (index < 0)
        return;

    learnParamID = parameterID;
    learnIndex.store (index, std::memory_order_relaxed);
    isLearning.store (true, std::memory_order_release);
    startTimer (kLearnTimeoutMs);
    poller.startTimer (kPollIntervalMs);
}

void KesMidiLearnHandler::unlearn (const juce::String& parameterID)
{
    if (parameterID.isEmpty() || ! midiCCTable.contains (parameterID))
        return;

    for (int cc = 0; cc < midiCCTable.size(); ++cc)
        if (midiCCTable.getReference (cc) == parameterID)
            setBinding (cc, -1);

    isLearning.store (false, std::memory_order_release);
    stopTimer();
    saveMidiTableSetting();
}

int KesMidiLearnHandler::learnedController (const juce::String& parameterID) const
{
    if (parameterID.isEmpty())
        return -1;

    return midiCCTable.indexOf (parameterID);
}

juce::String KesMidiLearnHandler::idForIndex (int parameterIndex) const
{
    return juce::isPositiveAndBelow (parameterIndex, learnableParamIDs.size()) ? learnableParamIDs[parameterIndex]
                                                                               : juce::String();
}

void KesMidiLearnHandler::setBinding (int cc, int parameterIndex)
{
    midiCCTable.set (cc, idForIndex (parameterIndex));
    boundIndex[(size_t) cc].store (parameterIndex, std::memory_order_relaxed);
}

int KesMidiLearnHandler::handleController (int cc) noexcept
{
    if (isLearning.load (std::memory_order_acquire))
    {
        if (cc >= 0 && cc < kNumControllers)
        {
            boundIndex[(size_t) cc].store (learnIndex.load (std::memory_order_relaxed), std::memory_order_relaxed);
            learnTargetTaken.store (true, std::memory_order_relaxed);
        }

        tableChanged.store (true, std::memory_order_release);
        isLearning.store (false, std::memory_order_release);
        stopTimer();
        return -1;
    }

    if (cc < 0 || cc >= kNumControllers)
        return -1;

    return boundIndex[(size_t) cc].load (std::memory_order_relaxed);
}

void KesMidiLearnHandler::applyCompletedLearns()
{
    if (! tableChanged.exchange (false, std::memory_order_acquire))
        return;

    for (int cc = 0; cc < kNumControllers; ++cc)
        midiCCTable.set (cc, idForIndex (boundIndex[(size_t) cc].load (std::memory_order_relaxed)));

    if (learnTargetTaken.exchange (false, std::memory_order_relaxed))
        learnParamID = juce::String();

    saveMidiTableSetting();
}

void KesMidiLearnHandler::CompletionPoller::timerCallback()
{
    const bool stillArmed = handler.learning();
    handler.applyCompletedLearns();

    if (! stillArmed)
        stopTimer();
}

void KesMidiLearnHandler::timerCallback()
{
    stopTimer();
    isLearning.store (false, std::memory_order_release);
}

void KesMidiLearnHandler::saveMidiTableSetting()
{
    SettingsFiles::createFolder();

    // One attribute per parameter: a parameter bound to several controllers
    // stands at its lowest controller's place with its highest number.
    juce::XmlElement root ("ONDREL_MIDITABLE");

    for (int cc = 0; cc < midiCCTable.size(); ++cc)
        if (midiCCTable.getReference (cc).isNotEmpty())
            root.setAttribute (midiCCTable.getReference (cc), cc);

    // Replaced in one step: a failed write keeps the former table, and a table
    // that could not be read is never written over unless a copy of it is kept.
    SettingsFiles::writeKeepingUnreadable (root, SettingsFiles::midiTableFile());
}

void KesMidiLearnHandler::getMidiTableSetting()
{
    midiCCTable.resize (kNumControllers);
    SettingsFiles::createFolder();

    const auto file = SettingsFiles::midiTableFile();
    const auto root = readUntrustedXmlFile (file);

    // A missing file, or one without a parsable element, becomes an empty
    // table file (an unreadable one is kept beside it) and binds nothing.
    if (root == nullptr)
    {
        SettingsFiles::writeKeepingUnreadable (juce::XmlElement ("ONDREL_MIDITABLE"), file);
        return;
    }

    for (int index = 0; index < learnableParamIDs.size(); ++index)
    {
        const auto& id = learnableParamIDs.getReference (index);

        if (! root->hasAttribute (id))
            continue;

        const int cc = SettingsFiles::toInt (root->getStringAttribute (id));

        // -1 binds nothing; numbers outside the table are ignored.
        if (cc >= 0 && cc < kNumControllers)
            setBinding (cc, index);
    }
}
