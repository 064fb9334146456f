#include "RawPlugin.h"

#include <dlfcn.h>

#include <cstring>
#include <map>

namespace ondrel::rawhost
{

using namespace vst2;

namespace
{
    using EntryPoint = AEffect* (*) (audioMasterCallback);

    // The callback carries no user pointer: calls are routed by effect, and
    // calls made while VSTPluginMain runs (no effect yet) go to the plug-in
    // being loaded.
    std::mutex registryLock;
    std::map<AEffect*, RawPlugin*> registry;
    RawPlugin* loading = nullptr;

    constexpr VstIntPtr hostVstVersion = 2400;

    VstIntPtr copyHostString (void* ptr, const char* text)
    {
        if (ptr == nullptr)
            return 0;

        std::strcpy (static_cast<char*> (ptr), text);
        return 1;
    }
}

RawPlugin::RawPlugin (const std::string& path, const char* entryPoint)
{
    library = dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL);

    if (library == nullptr)
    {
        const char* reason = dlerror();
        error = "dlopen failed: " + std::string (reason != nullptr ? reason : path);
        return;
    }

    const char* entryName = entryPoint != nullptr ? entryPoint : "VSTPluginMain";
    auto entry = reinterpret_cast<EntryPoint> (dlsym (library, entryName));

    if (entry == nullptr && entryPoint == nullptr)
        entry = reinterpret_cast<EntryPoint> (dlsym (library, "main"));

    if (entry == nullptr)
    {
        error = std::string ("no ") + entryName + " in " + path;
        return;
    }

    {
        const std::lock_guard<std::mutex> lock (registryLock);
        loading = this;
    }

    AEffect* created = entry (&RawPlugin::hostCallback);

    {
        const std::lock_guard<std::mutex> lock (registryLock);
        loading = nullptr;

        if (created != nullptr)
            registry[created] = this;
    }

    if (created == nullptr || created->magic != kEffectMagic)
    {
        error = "VSTPluginMain returned no effect";
        return;
    }

    effect = created;
    dispatch (effOpen);
}

RawPlugin::~RawPlugin()
{
    close();

    if (library != nullptr)
        dlclose (library);
}

void RawPlugin::close()
{
    if (effect == nullptr)
        return;

    dispatch (effClose);

    const std::lock_guard<std::mutex> lock (registryLock);
    registry.erase (effect);
    effect = nullptr;
}

VstIntPtr RawPlugin::dispatch (int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    return effect != nullptr ? effect->dispatcher (effect, opcode, index, value, ptr, opt) : 0;
}

std::string RawPlugin::dispatchText (int opcode, int index)
{
    // Far more than any plug-in should write: names are at most 64 bytes.
    char buffer[512] = {};
    dispatch (opcode, index, 0, buffer);
    buffer[sizeof (buffer) - 1] = 0;
    return buffer;
}

int RawPlugin::canDo (const char* feature)
{
    return (int) dispatch (effCanDo, 0, 0, const_cast<char*> (feature));
}

void RawPlugin::resume (double newSampleRate, int maxBlockSize)
{
    sampleRate = newSampleRate;
    blockSize = maxBlockSize;
    dispatch (effSetSampleRate, 0, 0, nullptr, (float) newSampleRate);
    dispatch (effSetBlockSize, 0, maxBlockSize);
    dispatch (effMainsChanged, 0, 1);
    dispatch (effStartProcess);
}

void RawPlugin::suspend()
{
    dispatch (effStopProcess);
    dispatch (effMainsChanged, 0, 0);
}

void RawPlugin::processReplacing (float** inputs, float** outputs, int numSamples)
{
    if (effect != nullptr && effect->processReplacing != nullptr)
        effect->processReplacing (effect, inputs, outputs, numSamples);
}

void RawPlugin::setParameter (int index, float value)
{
    if (effect != nullptr)
        effect->setParameter (effect, index, value);
}

float RawPlugin::getParameter (int index)
{
    return effect != nullptr ? effect->getParameter (effect, index) : 0.0f;
}

std::vector<HostCall> RawPlugin::getHostCalls() const
{
    const std::lock_guard<std::mutex> lock (logLock);
    return hostCalls;
}

VstIntPtr RawPlugin::hostCallback (AEffect* from, int opcode, int index, VstIntPtr value, void* ptr, float)
{
    const std::lock_guard<std::mutex> lock (registryLock);
    const auto found = registry.find (from);
    RawPlugin* target = found != registry.end() ? found->second : loading;

    return target != nullptr ? target->answer (opcode, index, value, ptr) : 0;
}

VstIntPtr RawPlugin::answer (int opcode, int index, VstIntPtr value, void* ptr)
{
    {
        const std::lock_guard<std::mutex> lock (logLock);
        hostCalls.push_back ({ opcode, index, value });
    }

    switch (opcode)
    {
        case audioMasterVersion:          return hostVstVersion;
        case audioMasterGetSampleRate:    return (VstIntPtr) sampleRate.load();
        case audioMasterGetBlockSize:     return blockSize.load();
        case audioMasterGetVendorString:  return copyHostString (ptr, "Kesmark tests");
        case audioMasterGetProductString: return copyHostString (ptr, "ondrel-rawhost");
        case audioMasterGetVendorVersion: return 1;
        default:                          return 0;
    }
}

} // namespace ondrel::rawhost
