#include "StateChunks.h"

namespace ondrel::host
{

namespace
{
    // Bank and program files of plug-ins without a chunk start with this magic.
    bool isStandardBankForm (const juce::MemoryBlock& state)
    {
        return state.getSize() >= 4 && std::memcmp (state.getData(), "CcnK", 4) == 0;
    }
}

std::optional<juce::MemoryBlock> getChunk (juce::AudioPluginInstance& plugin)
{
    juce::MemoryBlock chunk;

    if (! juce::VSTPluginFormat::getChunkData (&plugin, chunk, false) || chunk.isEmpty())
        return std::nullopt;

    return chunk;
}

juce::MemoryBlock getPluginState (juce::AudioPluginInstance& plugin)
{
    if (auto chunk = getChunk (plugin))
        return *chunk;

    juce::MemoryBlock state;
    plugin.getStateInformation (state);
    return state;
}

bool setPluginState (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& state)
{
    if (state.isEmpty())
        return false;

    if (isStandardBankForm (state))
    {
        plugin.setStateInformation (state.getData(), (int) state.getSize());
        return true;
    }

    return juce::VSTPluginFormat::setChunkData (&plugin, state.getData(), (int) state.getSize(), false);
}

} // namespace ondrel::host
