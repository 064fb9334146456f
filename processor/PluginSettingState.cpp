#include "PluginSettingState.h"

#include "SettingsFiles.h"
#include "Utf8Text.h"

PluginSettingState::PluginSettingState()
{
    presetNameText = "Preset";
    presetName = presetNameText;
    presetName.addListener (&presetNameRelay);
    presetLocation = juce::String();
}

PluginSettingState::~PluginSettingState()
{
    presetName.removeListener (&presetNameRelay);
}

void PluginSettingState::setPresetName (const juce::String& name)
{
    const bool onMessageThread = juce::MessageManager::existsAndIsCurrentThread();
    {
        const juce::ScopedLock sl (presetNameLock);
        presetNameText = name;
        presetNameInFlight = ! onMessageThread;
    }

    if (onMessageThread)
        presetName.setValue (name);
    else
        presetNameRelay.triggerAsyncUpdate();
}

juce::String PluginSettingState::getPresetName() const
{
    const juce::ScopedLock sl (presetNameLock);

    if (juce::MessageManager::existsAndIsCurrentThread() && ! presetNameInFlight)
        return presetName.toString();

    return presetNameText;
}

void PluginSettingState::PresetNameRelay::handleAsyncUpdate()
{
    juce::String name;
    {
        const juce::ScopedLock sl (owner.presetNameLock);
        name = owner.presetNameText;
        owner.presetNameInFlight = false;
    }
    owner.presetName.setValue (name);
}

// A name written to `presetName` directly on the message thread; a name still
// on its way from another thread is newer and stays.
void PluginSettingState::PresetNameRelay::valueChanged (juce::Value&)
{
    const juce::ScopedLock sl (owner.presetNameLock);

    if (! owner.presetNameInFlight)
        owner.presetNameText = owner.presetName.toString();
}

void PluginSettingState::writeDefaultSettingFile()
{
    juce::XmlElement root ("ONDREL");
    root.setAttribute ("presetLocation", SettingsFiles::defaultPresetFolder());
    root.setAttribute ("window_width", defaultWindowWidth);
    root.setAttribute ("window_height", defaultWindowHeight);

    SettingsFiles::writeKeepingUnreadable (root, SettingsFiles::settingsFile());

    presetLocation = SettingsFiles::defaultPresetFolder();
}

std::unique_ptr<juce::XmlElement> PluginSettingState::readOrCreateSettingFile()
{
    SettingsFiles::createFolder();
    auto root = readUntrustedXmlFile (SettingsFiles::settingsFile());

    // A missing file, or one without a parsable element, starts afresh (an
    // unreadable one is kept beside it).
    if (root == nullptr)
        writeDefaultSettingFile();

    return root;
}

void PluginSettingState::readSettingFile()
{
    auto root = readOrCreateSettingFile();

    if (root == nullptr)
        return;

    presetLocation = root->getStringAttribute ("presetLocation");

    int w = 0;
    int h = 0;

    if (root->hasAttribute ("window_width") && root->getDoubleAttribute ("window_width") > 0.0)
    {
        w = SettingsFiles::toInt (root->getStringAttribute ("window_width"));
        h = SettingsFiles::toInt (root->getStringAttribute ("window_height"));
    }

    // A missing or non-positive size (also a missing height, or a width
    // such as 0.5) falls back to the default size, written back to the file.
    if (w <= 0 || h <= 0)
    {
        w = defaultWindowWidth;
        h = defaultWindowHeight;
        root->setAttribute ("window_width", w);
        root->setAttribute ("window_height", h);
        SettingsFiles::write (*root, SettingsFiles::settingsFile());
    }

    // A size the corner could never reach is brought inside its limits, one
    // side at a time: a far larger window crashes the renderer, a tiny one
    // cannot be used. Sizes inside them are taken as stored.
    w = juce::jlimit (minWindowWidth, maxWindowWidth, w);
    h = juce::jlimit (minWindowHeight, maxWindowHeight, h);

    if (windowWidth != w)
    {
        windowWidth = w;
        windowHeight = h;
        updateSettingFile();
    }
}

void PluginSettingState::updateSettingFile()
{
    auto root = readOrCreateSettingFile();

    if (root == nullptr)
        return;

    root->setAttribute ("presetLocation", presetLocation.toString());
    root->setAttribute ("window_width", windowWidth);
    root->setAttribute ("window_height", windowHeight);
    SettingsFiles::write (*root, SettingsFiles::settingsFile());
}
