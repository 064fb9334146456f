#include "TestSupport.h"

using namespace ondrel_test;

namespace
{
const juce::String kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

juce::String defaultPresetFolder()
{
    return juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory)
        .getChildFile ("Audio/Presets/Kesmark/Ondrel")
        .getFullPathName();
}

juce::StringArray attributeNames (const juce::XmlElement& e)
{
    juce::StringArray names;

    for (int i = 0; i < e.getNumAttributes(); ++i)
        names.add (e.getAttributeName (i));

    return names;
}

class SettingsFile : public ProcessorTest
{
protected:
    std::unique_ptr<juce::XmlElement> readSettings() const { return juce::parseXML (settingsFile()); }

    // A file in a form the processor would not write itself (one line, no
    // declaration), so that a rewrite shows.
    void writeSettings (const juce::String& attributes) const
    {
        writeUserFile (settingsFile(), ("<ONDREL " + attributes + "/>").toStdString());
    }

    void expectFileHolds (const juce::String& folder, const juce::String& width, const juce::String& height) const
    {
        EXPECT_TRUE (settingsFile().loadFileAsString().startsWith (kDeclaration));
        const auto xml = readSettings();
        ASSERT_NE (xml, nullptr);
        EXPECT_EQ (xml->getStringAttribute ("presetLocation"), folder);
        EXPECT_EQ (xml->getStringAttribute ("window_width"), width);
        EXPECT_EQ (xml->getStringAttribute ("window_height"), height);
    }

    static void expectWindow (const OndrelAudioProcessor& p, int width, int height)
    {
        EXPECT_EQ (p.windowWidth, width);
        EXPECT_EQ (p.windowHeight, height);
    }
};
} // namespace

TEST_F (SettingsFile, FirstStartCreatesFolderAndBothFilesWithDefaults)
{
    ASSERT_FALSE (settingsFolder (home.path()).exists());
    OndrelAudioProcessor p;

    EXPECT_TRUE (settingsFolder (home.path()).isDirectory());
    expectFileHolds (defaultPresetFolder(), "718", "222");
    EXPECT_EQ (attributeNames (*readSettings()),
               juce::StringArray ("presetLocation", "window_width", "window_height"));
    EXPECT_EQ (readSettings()->getTagName(), "ONDREL");

    EXPECT_EQ (p.presetLocation.toString(), defaultPresetFolder());
    expectWindow (p, 718, 222);

    const auto table = juce::parseXML (midiTableFile());
    ASSERT_NE (table, nullptr);
    EXPECT_EQ (table->getTagName(), "ONDREL_MIDITABLE");
    EXPECT_EQ (table->getNumAttributes(), 0);
    EXPECT_TRUE (midiTableFile().loadFileAsString().startsWith (kDeclaration));
}

TEST_F (SettingsFile, StoredSizeIsAdoptedAndWrittenBack)
{
    writeSettings ("presetLocation=\"/my/presets\" window_width=\"1077\" window_height=\"333\"");
    OndrelAudioProcessor p;

    expectWindow (p, 1077, 333);
    EXPECT_EQ (p.presetLocation.toString(), "/my/presets");
    expectFileHolds ("/my/presets", "1077", "333");
}

TEST_F (SettingsFile, SizesAreReadAsIntegers)
{
    writeSettings ("presetLocation=\"/p\" window_width=\"1077.9\" window_height=\"333.7\"");
    OndrelAudioProcessor p;
    expectWindow (p, 1077, 333);
}

TEST_F (SettingsFile, OnlyTheWidthIsCompared)
{
    writeSettings ("presetLocation=\"/p\" window_width=\"718\" window_height=\"500\"");
    OndrelAudioProcessor p;
    expectWindow (p, 718, 222);
}

TEST_F (SettingsFile, NonPositiveOrTextWidthIsRewrittenWithTheDefaults)
{
    for (const char* width : { "0", "-5", "abc", "" })
    {
        SCOPED_TRACE (width);
        writeSettings ("presetLocation=\"/p\" window_width=\"" + juce::String (width) + "\" window_height=\"333\"");
        OndrelAudioProcessor p;

        expectWindow (p, 718, 222);
        expectFileHolds ("/p", "718", "222");
    }
}

TEST_F (SettingsFile, WidthWithoutHeightOrBelowOneGivesTheDefaultSize)
{
    for (const char* attributes : { "window_width=\"1077\"", "window_width=\"0.5\" window_height=\"333\"" })
    {
        SCOPED_TRACE (attributes);
        writeSettings ("presetLocation=\"/p\" " + juce::String (attributes));
        OndrelAudioProcessor p;
        expectWindow (p, 718, 222);
    }
}

TEST_F (SettingsFile, OtherAttributesKeepTheirPlaces)
{
    writeSettings ("theme=\"dark\" presetLocation=\"/p\" window_width=\"1077\" window_height=\"333\" extra=\"1\"");
    const juce::StringArray order ("theme", "presetLocation", "window_width", "window_height", "extra");

    OndrelAudioProcessor p;
    EXPECT_EQ (attributeNames (*readSettings()), order);

    p.windowWidth = 900;
    p.windowHeight = 278;
    p.presetLocation = "/q";
    p.updateSettingFile();

    const auto xml = readSettings();
    EXPECT_EQ (attributeNames (*xml), order);
    EXPECT_EQ (xml->getStringAttribute ("theme"), "dark");
    EXPECT_EQ (xml->getStringAttribute ("extra"), "1");
    expectFileHolds ("/q", "900", "278");
}

TEST_F (SettingsFile, AnyRootElementIsReadAndAMissingFolderReadsAsEmpty)
{
    writeUserFile (settingsFile(), "<SOMETHING window_width=\"1077\" window_height=\"333\"/>");
    OndrelAudioProcessor p;

    expectWindow (p, 1077, 333);
    EXPECT_EQ (p.presetLocation.toString(), "");
}

TEST_F (SettingsFile, UnparsableFileIsTreatedAsMissing)
{
    for (const auto& text : unreadableTexts ("<ONDREL presetLocation=\"/Users/"))
    {
        SCOPED_TRACE (text);
        writeUserFile (settingsFile(), text);
        OndrelAudioProcessor p;

        expectWindow (p, 718, 222);
        EXPECT_EQ (p.presetLocation.toString(), defaultPresetFolder());
        expectFileHolds (defaultPresetFolder(), "718", "222");
    }
}

TEST_F (SettingsFile, UpdateAfterTheFileWasDeletedRecreatesItWithTheDefaultFolder)
{
    OndrelAudioProcessor p;
    p.presetLocation = "/chosen";
    p.windowWidth = 1000;
    ASSERT_TRUE (settingsFolder (home.path()).deleteRecursively());

    p.updateSettingFile();

    expectFileHolds (defaultPresetFolder(), "718", "222");
    EXPECT_EQ (p.presetLocation.toString(), defaultPresetFolder());
}
