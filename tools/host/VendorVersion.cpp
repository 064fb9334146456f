#include "VendorVersion.h"

#include "Vst2Interface.h"

namespace ondrel::host
{

namespace
{
    struct EffectFinder : juce::ExtensionsVisitor
    {
        void visitVSTClient (const VSTClient& client) override
        {
            effect = reinterpret_cast<vst2::AEffect*> (client.getAEffectPtr());
        }

        vst2::AEffect* effect = nullptr;
    };
}

int getVst2VendorVersion (juce::AudioPluginInstance& plugin)
{
    EffectFinder finder;
    plugin.getExtensions (finder);

    if (finder.effect == nullptr || finder.effect->dispatcher == nullptr)
        return 0;

    return (int) finder.effect->dispatcher (finder.effect, vst2::effGetVendorVersion, 0, 0, nullptr, 0.0f);
}

} // namespace ondrel::host
