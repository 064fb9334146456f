#pragma once

// A VST2 host on the bare interface: dlopen, VSTPluginMain, dispatcher and
// process calls by their standard numbers, and a host callback that answers
// the basics and logs every opcode the plug-in sends. No JUCE on this side,
// so what it sees does not depend on JUCE's own hosting code.

#include "Vst2Interface.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace ondrel::rawhost
{

using vst2::AEffect;
using vst2::VstIntPtr;

// One call the plug-in made to the host.
struct HostCall
{
    int opcode = 0;
    int index = 0;
    VstIntPtr value = 0;
};

class RawPlugin
{
public:
    // Loads the library and creates the effect through `entryPoint` (by
    // default VSTPluginMain, else main); then sends effOpen.
    explicit RawPlugin (const std::string& path, const char* entryPoint = nullptr);
    ~RawPlugin();

    RawPlugin (const RawPlugin&) = delete;
    RawPlugin& operator= (const RawPlugin&) = delete;

    bool isOpen() const { return effect != nullptr; }
    const std::string& getError() const { return error; }
    AEffect& getEffect() { return *effect; }

    VstIntPtr dispatch (int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    // A string the plug-in writes into a host buffer (name, vendor, label...).
    std::string dispatchText (int opcode, int index = 0);

    // effCanDo: 1 yes, -1 no, 0 don't know.
    int canDo (const char* feature);

    // The host's answers to the plug-in's rate and block-size questions, then
    // effSetSampleRate, effSetBlockSize, effMainsChanged(1), effStartProcess.
    void resume (double sampleRate, int maxBlockSize);
    // effStopProcess, effMainsChanged(0).
    void suspend();

    void processReplacing (float** inputs, float** outputs, int numSamples);
    void setParameter (int index, float value);
    float getParameter (int index);

    // effClose, as a host does when the user removes the plug-in. The call
    // log survives it.
    void close();

    std::vector<HostCall> getHostCalls() const;

private:
    static VstIntPtr hostCallback (AEffect*, int opcode, int index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr answer (int opcode, int index, VstIntPtr value, void* ptr);

    void* library = nullptr;
    AEffect* effect = nullptr;
    std::string error;
    // Read by the callback, which may come from the plug-in's own threads.
    std::atomic<double> sampleRate { 44100.0 };
    std::atomic<int> blockSize { 512 };

    mutable std::mutex logLock;
    std::vector<HostCall> hostCalls;
};

} // namespace ondrel::rawhost
