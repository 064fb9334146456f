#include "TestSupport.h"

#include <sys/stat.h>

using namespace ondrel_test;

namespace
{
const juce::String kDefaultFolder = juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory)
                                        .getChildFile ("Audio/Presets/Kesmark/Ondrel")
                                        .getFullPathName();

// The file as the processor writes it at the first start.
const juce::String kDefaultFile = "<ONDREL presetLocation=\"" + kDefaultFolder + R"(" window_width="718" window_height="222">)";

class SettingsFile : public ProcessorTest
{
protected:
    void expectWindow (const OndrelAudioProcessor& p, const juce::String& folder, int width, int height) const
    {
        EXPECT_EQ (p.presetLocation.toString(), folder);
        EXPECT_EQ (p.windowWidth, width);
        EXPECT_EQ (p.windowHeight, height);
    }
};
} // namespace

TEST_F (SettingsFile, StoredFilesAreReadAndWrittenBackWithOtherAttributesInTheirPlaces)
{
    const auto kept = [] (const char* width, const char* height) {
        return juce::String (R"(<ONDREL theme="dark" presetLocation="/p" window_width=")") + width + "\" window_height=\"" + height
               + "\" extra=\"1\">";
    };
    const auto defaultSize = kept ("718", "222");
    const std::tuple<juce::String, int, int, juce::String> rows[] = { // size attributes, window, file afterwards
        { R"(window_width="1077" window_height="333")", 1077, 333, kept ("1077", "333") },
        { R"(window_width="1077.9" window_height="333.7")", 1077, 333, kept ("1077", "333") },
        // Sizes outside the corner's 359x111..4308x1332 are brought inside, one side at a time; numbers
        // beyond the int range are not taken modulo 2^32 (to 107 and to 0). Its very edges are kept.
        { R"(window_width="4294967403" window_height="4294967296")", 4308, 1332, kept ("4308", "1332") },
        { R"(window_width="65536" window_height="20264")", 4308, 1332, kept ("4308", "1332") },
        { R"(window_width="99999999999" window_height="333")", 4308, 333, kept ("4308", "333") },
        { R"(window_width="1" window_height="1")", 359, 111, kept ("359", "111") },
        { R"(window_width="4308" window_height="111")", 4308, 111, kept ("4308", "111") },
        // Only the width is compared with the current one: nothing to write.
        { R"(window_width="718" window_height="500")", 718, 222, "not written" },
        // Non-positive or text widths are rewritten with the defaults.
        { R"(window_width="0" window_height="333")", 718, 222, defaultSize },
        { R"(window_width="-5" window_height="333")", 718, 222, defaultSize },
        { R"(window_width="abc" window_height="333")", 718, 222, defaultSize },
        { R"(window_width="" window_height="333")", 718, 222, defaultSize },
        // A width without a height, or one whose integer value is 0, gives the default size.
        { R"(window_width="1077")", 718, 222, "" },
        { R"(window_width="0.5" window_height="333")", 718, 222, "" },
    };

    for (const auto& [size, width, height, file] : rows)
    {
        SCOPED_TRACE (size);
        writeUserFile (settingsFile(), ("<ONDREL theme=\"dark\" presetLocation=\"/p\" " + size + " extra=\"1\"/>").toStdString());
        OndrelAudioProcessor p;
        expectWindow (p, "/p", width, height);
        EXPECT_TRUE (file.isEmpty() || written (settingsFile()) == file) << written (settingsFile());
    }

    // Any root element is read and written back; a missing folder reads as empty.
    writeUserFile (settingsFile(), R"(<SOMETHING window_width="1077" window_height="333"/>)");
    OndrelAudioProcessor p;
    expectWindow (p, "", 1077, 333);
    p.windowWidth = 900;
    p.windowHeight = 278;
    p.presetLocation = "/q";
    p.updateSettingFile();
    EXPECT_EQ (written (settingsFile()), R"(<SOMETHING window_width="900" window_height="278" presetLocation="/q">)");
}

TEST_F (SettingsFile, MissingUnparsableOrDeletedFileIsCreatedWithTheDefaults)
{
    auto texts = unreadableTexts ("<ONDREL presetLocation=\"/Users/");
    texts.insert (texts.begin(), std::string()); // the first start: no folder, no files
    texts.push_back (R"(<ONDREL presetLocation="/p" window_width="1077" window_height="333")");
    texts.push_back ("<ONDREL presetLocation=\"/caf\xe9\"/>");
    const auto kept = settingsFolder().getChildFile ("Ondrel.settings.unreadable");

    for (const auto& text : texts)
    {
        SCOPED_TRACE (text);

        if (! text.empty())
            writeUserFile (settingsFile(), text);

        OndrelAudioProcessor p;
        expectWindow (p, kDefaultFolder, 718, 222);
        EXPECT_EQ (written (settingsFile()), kDefaultFile);
        EXPECT_EQ (written (midiTableFile()), "<ONDREL_MIDITABLE>");
        // What the user had is kept byte for byte, replacing an older copy.
        EXPECT_EQ (bytesOf (kept), text);
    }

    // Deleted while running: recreated with the defaults, the window fields kept.
    OndrelAudioProcessor p;
    p.presetLocation = "/chosen";
    p.windowWidth = 1000;
    p.windowHeight = 400;
    ASSERT_TRUE (settingsFolder().deleteRecursively());
    p.updateSettingFile();
    expectWindow (p, kDefaultFolder, 1000, 400);
    EXPECT_EQ (written (settingsFile()), kDefaultFile);
}

// Linked files are written through their links, whose targets live elsewhere;
// an unreadable target is kept beside the target.
TEST_F (SettingsFile, LinkedFilesStayLinksAndTheirTargetsTakeTheWrites)
{
    const auto elsewhere = home.folder.getChildFile ("dotfiles");
    const auto settings = elsewhere.getChildFile ("ondrel.xml"), table = elsewhere.getChildFile ("table.xml");
    writeUserFile (settings, "<ONDREL presetLocation=\"/caf\xe9\"/>");
    writeUserFile (table, R"(<ONDREL_MIDITABLE bypass="127"/>)");
    // settings -> absolute link -> relative link -> ondrel.xml; the settings
    // folder lies in a linked folder, from whose real place the table's
    // relative link is read.
    ASSERT_TRUE (elsewhere.getChildFile ("config").createDirectory()
                 && elsewhere.getChildFile ("config").createSymbolicLink (home.folder.getChildFile (".config"), false)
                 && settingsFolder().createDirectory()
                 && juce::File::createSymbolicLink (elsewhere.getChildFile ("hop"), "ondrel.xml", false)
                 && elsewhere.getChildFile ("hop").createSymbolicLink (settingsFile(), false)
                 && juce::File::createSymbolicLink (midiTableFile(), "../../../table.xml", false));

    const mode_t umaskBefore = ::umask (077); // a new file takes the umask, a replaced one keeps its mode
    OndrelAudioProcessor p;
    ::umask (umaskBefore);
    struct stat kept, fresh;
    ASSERT_TRUE (::stat (settings.getFullPathName().toRawUTF8(), &kept) == 0
                 && ::stat ((settings.getFullPathName() + ".unreadable").toRawUTF8(), &fresh) == 0);
    EXPECT_EQ (kept.st_mode & 0777, 0644u);
    EXPECT_EQ (fresh.st_mode & 0777, 0600u);
    EXPECT_EQ (bytesOf (elsewhere.getChildFile ("ondrel.xml.unreadable")), "<ONDREL presetLocation=\"/caf\xe9\"/>");
    EXPECT_EQ (written (settings), kDefaultFile);
    EXPECT_EQ (p.learnedController ("bypass"), 127);

    p.presetLocation = "/q";
    p.updateSettingFile();
    p.unlearn ("bypass");
    EXPECT_TRUE (settingsFile().isSymbolicLink() && midiTableFile().isSymbolicLink());
    EXPECT_EQ (written (settings), R"(<ONDREL presetLocation="/q" window_width="718" window_height="222">)");
    EXPECT_EQ (written (table), "<ONDREL_MIDITABLE>");
    EXPECT_EQ (elsewhere.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 5); // no temporary file left
}
