#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace ondrel::host
{

// Passes everything written on to `destination`, which it does not own (a
// writer that insists on owning its stream gets one of these), and notes
// whether any write failed and the farthest position written.
class ForwardingStream final : public juce::OutputStream
{
public:
    explicit ForwardingStream (juce::OutputStream& to) : destination (to) {}

    void flush() override { destination.flush(); }
    juce::int64 getPosition() override { return destination.getPosition(); }
    bool setPosition (juce::int64 position) override { return note (destination.setPosition (position)); }
    bool write (const void* data, size_t numBytes) override { return note (destination.write (data, numBytes)); }

    bool failed() const { return anyFailed; }
    juce::int64 end() const { return farthest; }

private:
    bool note (bool ok);

    juce::OutputStream& destination;
    bool anyFailed = false;
    juce::int64 farthest = 0;
};

// Writes `target` by way of a temporary file beside it (beside its target,
// for a link), which `write` fills through the stream it is given and which
// is renamed over the target only when every byte is on the disk: `write`
// returning false, or a write the system refuses or cuts short (a full disk,
// a file-size limit), even one in the final flush, leaves the target as it
// was. A target that exists and is no regular file (a device, a FIFO, a
// folder) is refused and left alone.
// `write` may set `error`; otherwise a failure reads "cannot write TARGET".
bool writeThroughTemporaryFile (const juce::File& target, const std::function<bool (juce::OutputStream&)>& write,
                                juce::String& error);

} // namespace ondrel::host
