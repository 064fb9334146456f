#include "TestSupport.h"
#include "processor/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

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

// FileReplacement on a path's bytes. Each row lays out files in a folder of
// its own, writes "new" through `name`, and compares the folder with what it
// held before, `target` replaced by "new". A path the framework would read
// as another one is refused, with nothing written anywhere ("" target), and
// so is a chain of more links than the system follows (40).
TEST_F (SettingsFile, ReplacementKeepsThePathsBytesAndRefusesWhatItCannotKeep)
{
    const auto chain = [] (const std::string& folder, int links) {
        for (int i = 1; i <= links; ++i)
            symlink (i == links ? "t" : ("l" + std::to_string (i + 1)).c_str(), (folder + "/l" + std::to_string (i)).c_str());
        return putFile (folder + "/t", "old");
    };
    const auto old = [] (std::vector<std::string> files) {
        return [files] (const std::string& folder) {
            bool ok = true;
            for (const auto& file : files)
                ok = ok && (file.back() == '/' ? mkdir ((folder + "/" + file).c_str(), 0700) == 0
                                               : putFile (folder + "/" + file, "old"));
            return ok;
        };
    };
    const struct { const char* what; std::function<bool (const std::string&)> lay; std::string name, target; } rows[] = {
        { "a chain of 40 links", [&] (auto& f) { return chain (f, 40); }, "l1", "t" },
        { "a chain of 41 links", [&] (auto& f) { return chain (f, 41); }, "l1", "" },
        { "a Latin-1 name", old ({ "Caf\xe9.xml" }), "Caf\xe9.xml", "Caf\xe9.xml" },
        { "a folder named in Latin-1", old ({ "Caf\xe9/", "Caf\xe9/x.xml" }), "Caf\xe9/x.xml", "Caf\xe9/x.xml" },
        { "a new file there", old ({ "Caf\xe9/" }), "Caf\xe9/new.xml", "Caf\xe9/new.xml" },
        { "a link into it", [&] (auto& f) { return old ({ "d\xe9/", "d\xe9/t" }) (f) && symlink ("d\xe9/t", (f + "/l").c_str()) == 0; },
          "l", "d\xe9/t" },
        { "an overlong ../", old ({ "deep/", "deep/\xc0\xae\xc0\xae\xc0\xafup.xml" }), "deep/\xc0\xae\xc0\xae\xc0\xafup.xml", "" },
        { "stray bytes read as ../", old ({ "deep/", "deep/\xae\xae\xafup.xml" }), "deep/\xae\xae\xafup.xml", "" },
        { "a link to an overlong ../", [&] (auto& f) { return old ({ "deep/" }) (f) && symlink ("\xc0\xae\xc0\xae\xc0\xafup", (f + "/deep/l").c_str()) == 0; },
          "deep/l", "" },
        { "a lone E0 read as the end", old ({ "Voil\xe0.xml" }), "Voil\xe0.xml", "" },
    };
    for (size_t i = 0; i < std::size (rows); ++i)
    {
        const auto& row = rows[i];
        SCOPED_TRACE (row.what);
        const auto folder = home.folder.getFullPathName().toStdString() + "/row" + std::to_string (i);
        ASSERT_TRUE (mkdir (folder.c_str(), 0700) == 0 && row.lay (folder));
        auto expected = tree (folder);
        if (! row.target.empty())
        {
            expected.erase (std::remove (expected.begin(), expected.end(), row.target + "=old"), expected.end());
            expected.push_back (row.target + "=new");
            std::sort (expected.begin(), expected.end());
        }
        EXPECT_EQ (FileReplacement::replaceContent (rawFile (folder + "/" + row.name), juce::MemoryBlock ("new", 3)),
                   ! row.target.empty());
        EXPECT_EQ (tree (folder), expected);
    }
}

// A home folder whose name is not UTF-8: the settings folder is made there,
// and an unreadable file is kept beside itself, under its own name.
TEST_F (SettingsFile, AHomeFolderNamedInLatin1HoldsTheFiles)
{
    const auto latin = home.folder.getFullPathName().toStdString() + "/Caf\xe9";
    ASSERT_EQ (mkdir (latin.c_str(), 0700), 0);
    setenv ("HOME", latin.c_str(), 1); // the fixture's TempHome puts it back
    const auto folder = latin + "/.config/Application Support/Kesmark";

    for (const char* text : { "", "<ONDREL presetLocation=\"/p\"" })
    {
        if (*text != 0)
        {
            ASSERT_TRUE (putFile (folder + "/Ondrel.settings", text));
        }
        OndrelAudioProcessor p;
        EXPECT_EQ (p.presetLocation.toString(), kDefaultFolder);
        EXPECT_TRUE (rawFile (folder + "/Ondrel.settings").loadFileAsString().contains ("presetLocation=\"" + kDefaultFolder));
        EXPECT_TRUE (rawFile (folder + "/Ondrel.miditable").existsAsFile());
        EXPECT_EQ (bytesOf (rawFile (folder + "/Ondrel.settings.unreadable")), text);
        EXPECT_EQ (home.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1); // nothing made elsewhere
    }
}

// An unreadable file whose copy cannot be made stays as it is, and no
// defaults are written over it, neither at the start nor on a later change.
TEST_F (SettingsFile, UnreadableFileStaysWhenItsCopyCannotBeMade)
{
    const auto path = settingsFile().getFullPathName().toStdString();
    const std::pair<const char*, std::function<bool()>> rows[] = {
        { "the copy's name taken by a folder",
          [&] { return putFile (path, "<ONDREL presetLocation=\"/p\"") && mkdir ((path + ".unreadable").c_str(), 0700) == 0; } },
        { "a FIFO", [&] { return mkfifo (path.c_str(), 0600) == 0; } },
        { "over 8 MiB", [&] { return putFile (path, "<ONDREL presetLocation=\"/p\"/>" + std::string ((8 << 20) + 1, ' ')); } },
    };
    for (const auto& [what, lay] : rows)
    {
        SCOPED_TRACE (what);
        ASSERT_TRUE (settingsFolder().deleteRecursively() && settingsFolder().createDirectory() && lay());
        const auto before = tree (settingsFolder().getFullPathName().toStdString());
        OndrelAudioProcessor p;
        p.windowWidth = 900;
        p.updateSettingFile();
        expectWindow (p, kDefaultFolder, 900, 222);
        auto after = tree (settingsFolder().getFullPathName().toStdString());
        after.erase (std::remove_if (after.begin(), after.end(), [] (auto& e) { return e.rfind ("Ondrel.miditable", 0) == 0; }),
                     after.end());
        EXPECT_TRUE (after == before);
    }
}
