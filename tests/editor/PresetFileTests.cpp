// The preset menu and arrows over a folder tree, loading, Save and Save as...,
// and preset files as untrusted input.

#include "EditorTestSupport.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace editor_test;

namespace
{
// A preset element whose values are base + 0.05 * index, laid out as saved.
std::string presetText (const std::string& name, float base = 0.1f)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<ONDREL2 pluginVersion=\"2\" presetName=\"" + name
                       + "\" lastPresetFolderPath=\"/elsewhere\"";
    for (size_t i = 0; i < kNumParameters; ++i)
        text += std::string ("\r\n         ") + kParameterIDs[i] + "=\"" + std::to_string (base + 0.05f * (float) i) + "\"";
    return text + "/>\r\n";
}

// "name=id" items and "name{...}" sub-menus; a disabled (greyed) item ends in "-".
std::string describe (const juce::PopupMenu& menu)
{
    std::string text;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        text += (text.empty() ? "" : " ") + item.text.toStdString() + (item.isEnabled ? "" : "-")
                + (item.subMenu ? "{" + describe (*item.subMenu) + "}" : "=" + std::to_string (item.itemID));
    }
    return text;
}

// One sub-folder a level, so that the file system's order of folders does not
// matter: presets whose elements name other presets, a text file, an empty
// folder, and a preset in the preset folder itself (not listed).
class Presets : public EditorTest
{
protected:
    void makeTree()
    {
        for (auto [path, name] : { std::pair ("Factory/A.kespreset", "Alpha"), { "Factory/Bass/B.kespreset", "Bee" },
                                   { "Factory/Bass/Deep/C.kespreset", "Sea" }, { "Loose.kespreset", "Loose" },
                                   { "Factory/notes.txt", "" } })
            writeUserFile (presets.getChildFile (path), presetText (name));
        ASSERT_TRUE (presets.getChildFile ("Factory/Bass/Deep/Empty").createDirectory());
    }
    void load (const juce::File& file)
    {
        editor->presetPaths = { file.getFullPathName() };
        editor->menuItemSelected (1);
    }
    const std::string expectedMenu = "Factory{A=1 Bass{B=2 Deep{C=3 Empty-{}}}}";
    const juce::StringArray expectedNames { "Alpha", "Bee", "Sea" }; // in id order
};
} // namespace

TEST_F (Presets, MenuListsSubFoldersDepthFirstAndEachItemLoadsItsFile)
{
    makeTree();
    EXPECT_EQ (describe (editor->getMyPresetPopupMenu (presets.getFullPathName())), expectedMenu);
    ASSERT_EQ (editor->presetPaths.size(), 3);

    for (int id = 1; id <= 3; ++id)
    {
        editor->menuItemSelected (id);
        EXPECT_EQ (processor->presetName.toString(), expectedNames[id - 1]);
        EXPECT_EQ (processor->currentPresetPath, editor->presetPaths[id - 1]);
        EXPECT_EQ (processor->lastPresetFolderPath.get(), "/elsewhere");
    }

    // Linked folders are followed, none entered twice: a pack linked in is
    // listed; links back up the tree, and inside the pack to itself, end the walk.
    const auto pack = home.folder.getChildFile ("pack");
    writeUserFile (pack.getChildFile ("P.kespreset"), presetText ("Pea"));
    ASSERT_TRUE (presets.createSymbolicLink (presets.getChildFile ("Factory/Loop"), true)
                 && pack.createSymbolicLink (presets.getChildFile ("Factory/Bass/Deep/Empty/Pack"), true)
                 && pack.createSymbolicLink (pack.getChildFile ("Again"), true));
    EXPECT_EQ (describe (editor->getMyPresetPopupMenu (presets.getFullPathName() + "/")),
               "Factory{A=1 Bass{B=2 Deep{C=3 Empty{Pack{P=4}}}}}");
    // Linked from a second sub-folder too, the pack is listed once, under either link.
    ASSERT_TRUE (pack.createSymbolicLink (presets.getChildFile ("Factory/Bass/Pack2"), true));
    const auto twice = describe (editor->getMyPresetPopupMenu (presets.getFullPathName()));
    EXPECT_TRUE (twice.find ("{P=") != std::string::npos && twice.find ("{P=") == twice.rfind ("{P=")) << twice;
    EXPECT_EQ (editor->presetPaths.size(), 4);

    // A tree 800 folders deep is listed whole.
    auto deep = home.folder.getChildFile ("deep");
    for (int level = 0; level < 800; ++level)
        deep = deep.getChildFile ("d");
    writeUserFile (deep.getChildFile ("Bottom.kespreset"), presetText ("Bottom"));
    editor->getMyPresetPopupMenu (home.folder.getChildFile ("deep").getFullPathName());
    EXPECT_EQ (editor->presetPaths, juce::Array<juce::String> { deep.getChildFile ("Bottom.kespreset").getFullPathName() });
    EXPECT_EQ (describe (editor->getMyPresetPopupMenu ("")), "");
    EXPECT_TRUE (editor->presetPaths.isEmpty());
}

TEST_F (Presets, PresetButtonLoadsTheChosenItemThenArrowsWrapBothWays)
{
    makeTree();
    const auto untouched = values();
    click ("button_preset_left"); // inert until a preset is loaded or saved
    click ("button_preset_right");
    EXPECT_EQ (values(), untouched);

    const auto face = [&] (const char* id) { return get<juce::Button> (id).getButtonText(); };
    EXPECT_EQ (face ("button_preset_left") + face ("button_preset_right"), "RQ"); // the arrow faces: previous, next
    whileModal ([&] { click ("button_preset"); }, { choose (1) });
    EXPECT_EQ (processor->presetName.toString(), expectedNames[0]);
    EXPECT_FALSE (get<juce::Button> ("button_preset").getToggleState());

    for (auto [arrow, index] : { std::pair ("right", 1), { "right", 2 }, { "right", 0 }, { "left", 2 }, { "left", 1 } })
    {
        click (juce::String ("button_preset_") + arrow);
        EXPECT_EQ (processor->presetName.toString(), expectedNames[index]) << arrow;
    }

    processor->presetName = "kept";
    whileModal ([&] { click ("button_preset"); }, { choose (0) });
    EXPECT_EQ (processor->presetName.toString(), "kept");
}

// No sub-folder (or no folder): no menu, arrows inert. An entry that is gone,
// a folder, or beyond the list: nothing loaded, no current preset.
TEST_F (Presets, NothingToShowOrLoad)
{
    writeUserFile (presets.getChildFile ("Loose.kespreset"), presetText ("Loose"));
    processor->currentPresetPath = presets.getChildFile ("Loose.kespreset").getFullPathName();
    const auto missing = home.folder.getChildFile ("missing").getFullPathName();
    for (const auto& folder : { presets.getFullPathName(), missing, juce::String() })
    {
        processor->presetLocation = folder;
        for (const char* id : { "button_preset", "button_preset_left", "button_preset_right" })
            whileModal ([&] { click (id); }, {});
    }

    ASSERT_TRUE (presets.getChildFile ("x/Dir.kespreset").createDirectory());
    const auto before = values();
    for (const auto& [entry, id] : { std::pair (presets.getChildFile ("x/Gone.kespreset"), 1),
                                     { presets.getChildFile ("x/Dir.kespreset"), 1 }, { presets, 2 } })
    {
        processor->currentPresetPath = "/somewhere.kespreset";
        editor->presetPaths = { entry.getFullPathName() };
        editor->menuItemSelected (id);
        EXPECT_EQ (processor->currentPresetPath, "") << id;
    }
    EXPECT_EQ (values(), before);
    EXPECT_EQ (processor->presetName.toString(), "Preset");
}

// Save without a current file asks for one, in a dialog that shows presets
// only. The extension is appended unless already there in any case, and a
// file it then names is replaced only when the user says so. A 250-byte name
// (80 three-byte characters) is saved and listed; each file is written whole,
// with nothing left beside it. A failed write (a name past 255 bytes, a disk
// that takes 100 bytes) leaves no file, and name and current file as they
// were. Save rewrites the current file, named after it.
TEST_F (Presets, SaveAsNamesTheFileAndTheShownPresetSaveRewritesIt)
{
    whileModal ([&] { click ("plugin_menu"); }, { choose (100000001), choose (0) }); // Save as..., cancelled
    EXPECT_EQ (processor->presetName.toString(), "Preset");
    EXPECT_EQ (processor->currentPresetPath, "");

    const auto folder = presets.getChildFile ("User");
    ASSERT_TRUE (folder.createDirectory());
    const auto wide = [] (int n) { return juce::String::repeatedString (juce::CharPointer_UTF8 ("\xe3\x81\x82"), n); };
    constexpr auto any = RLIM_INFINITY;
    // typed, file, name shown ("": not saved), answer to "replace?" (-1: not asked), bytes a file may take
    const std::tuple<juce::String, juce::String, juce::String, int, rlim_t> rows[] = {
        { "name", "name.kespreset", "name", -1, any },
        { "name.txt", "name.txt.kespreset", "name.txt", -1, any },
        { "other.KESPRESET", "other.KESPRESET", "other", -1, any },
        { wide (80), wide (80) + ".kespreset", wide (80), -1, any },
        { "name", "name.kespreset", "", 0, any },
        { "name", "name.kespreset", "name", 1, any },
        { "name.kespreset", "name.kespreset", "name", -1, any }, // the dialog asks about that one itself
        { wide (82), wide (82) + ".kespreset", "", -1, any },
        { "Full", "Full.kespreset", "", -1, 100 },
    };
    for (size_t i = 0; i < std::size (rows); ++i)
    {
        const auto& [typed, fileName, shown, answer, limit] = rows[i];
        const float fb = 0.01f * (float) (i + 1);
        const auto before = std::pair (processor->currentPresetPath, processor->presetName.toString());
        setNormalised (*processor, "phaser_fb", fb);
        std::deque<Step> steps { [&] (juce::Component& d) {
            auto* browser = find<juce::FileBrowserComponent> (d);
            EXPECT_TRUE (browser != nullptr && browser->isFileSuitable (juce::File ("/a.kespreset"))
                         && ! browser->isFileSuitable (juce::File ("/a.txt"))
                         && ! browser->isFileSuitable (juce::File ("/a.kespreset.txt")));
            chooseFile (folder, typed, "save preset as...") (d);
        } };
        if (answer >= 0)
            steps.push_back (choose (answer));
        rlimit normal {};
        getrlimit (RLIMIT_FSIZE, &normal);
        const rlimit limited { limit, normal.rlim_max };
        const auto xfsz = std::signal (SIGXFSZ, SIG_IGN);
        setrlimit (RLIMIT_FSIZE, &limited);
        whileModal ([&] { editor->saveAs(); }, steps);
        setrlimit (RLIMIT_FSIZE, &normal);
        std::signal (SIGXFSZ, xfsz);

        const auto file = folder.getChildFile (fileName);
        EXPECT_EQ (processor->currentPresetPath, shown.isEmpty() ? before.first : file.getFullPathName());
        EXPECT_EQ (processor->lastPresetFolderPath.get(), folder.getFullPathName());
        EXPECT_EQ (processor->presetName.toString(), shown.isEmpty() ? before.second : shown);
        EXPECT_EQ (file.exists(), answer == 0 || shown.isNotEmpty()) << i;

        const auto xml = juce::parseXML (file);
        EXPECT_TRUE (! file.exists()
                     || (xml != nullptr && file.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
                         && xml->getStringAttribute ("lastPresetFolderPath") == folder.getFullPathName()
                         && xml->getStringAttribute ("presetName") == file.getFileNameWithoutExtension()
                         && ((float) xml->getDoubleAttribute ("phaser_fb") == fb) == shown.isNotEmpty()))
            << i;
    }
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 4); // and no temporary one
    editor->getMyPresetPopupMenu (presets.getFullPathName());
    EXPECT_TRUE (editor->presetPaths.contains (folder.getChildFile (wide (80) + ".kespreset").getFullPathName()));

    processor->presetName = "renamed";
    processor->currentPresetPath = folder.getChildFile ("other.KESPRESET").getFullPathName();
    setNormalised (*processor, "phaser_fb", 0.75f);
    editor->menuItemSelected (100000001);
    EXPECT_EQ (processor->presetName.toString(), "other");
    EXPECT_EQ ((float) juce::parseXML (folder.getChildFile ("other.KESPRESET"))->getDoubleAttribute ("phaser_fb"), 0.75f);

    // A folder that cannot be created: nothing written, the name kept.
    writeUserFile (home.folder.getChildFile ("plain"), "a file");
    processor->currentPresetPath = home.folder.getChildFile ("plain/Lost.kespreset").getFullPathName();
    editor->menuItemSelected (100000001);
    EXPECT_EQ (processor->presetName.toString(), "other");
    EXPECT_EQ (home.folder.getChildFile ("plain").loadFileAsString(), "a file");
}

// What only a file can be (a FIFO, too large, too deep, a byte-order mark);
// the text itself is read as a host's chunk is. Untrusted files apply whole
// or change nothing; either way the file read becomes the current one.
TEST_F (Presets, HostileFilesChangeNothingOrApplyWhole)
{
    std::string deep = presetText ("Deep"), many = presetText ("Many"), cut = presetText ("Cut");
    deep.replace (deep.find ("/>"), 2, ">");
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    for (int i = 0; i < 5000; ++i)
        many.insert (many.find ("/>"), " a" + std::to_string (i) + "=\"" + std::to_string (i) + "\"");

    const std::pair<std::string, const char*> cases[] = { // the name when applied, else null
        { deep, nullptr }, { many, "Many" }, { "\xef\xbb\xbf" + presetText ("Bom", 0.2f), "Bom" },
        { presetText ("Pad") + std::string (9 << 20, ' '), nullptr }, { presetText ("end\xe2\x82"), nullptr },
        { "<!DOCTYPE x [<!ENTITY a \"&a;\">]><ONDREL2 presetName=\"&a;\"/>", "" },
        { "<!DOCTYPE x [<!ENTITY a \"<b>&a;</b>\">]><ONDREL2 presetName=\"z\">&a;</ONDREL2>", nullptr },
        { cut.substr (0, cut.size() - 4), nullptr }, { "fifo", nullptr }, // a FIFO would block a reader forever
    };
    const auto file = presets.getChildFile ("x/Hostile.kespreset");

    for (const auto& [text, applied] : cases)
    {
        processor->presetName = "before";
        const auto before = values();
        writeUserFile (file, text);
        if (text == "fifo")
        {
            ASSERT_TRUE (file.deleteFile() && mkfifo (file.getFullPathName().toRawUTF8(), 0600) == 0);
        }
        load (file);
        EXPECT_EQ (processor->presetName.toString(), applied ? applied : "before") << text.substr (0, 60);
        EXPECT_EQ (values() == before, applied == nullptr) << text.substr (0, 60);
        EXPECT_EQ (processor->currentPresetPath, file.getFullPathName());
    }
}

// Names as the folder holds them, UTF-8 or not (old archives hold Latin-1).
// Each row is listed, loaded, changed and saved with Save: a name whose bytes
// read as written is saved over itself, that very file and no other; one that
// the framework would read as another (an overlong "../", stray bytes that
// read so) is not listed, and Save over it writes nothing anywhere.
TEST_F (Presets, NamesKeepTheirBytesOrAreNotWrittenAtAll)
{
    const auto root = presets.getFullPathName().toStdString();
    // folder, file name, the menu, the name shown once saved ("": not saved)
    const std::tuple<std::string, std::string, std::string, juce::String> rows[] = {
        { "Old", "Caf\xe9.kespreset", "Old{Caf\xc3\xa9=1}", juce::CharPointer_UTF8 ("Caf\xc3\xa9") },
        { "Caf\xe9 pack", "In.kespreset", "Caf\xc3\xa9 pack{In=1}", "In" },
        { "Old", "\xc0\xae\xc0\xae\xc0\xafUp.kespreset", "Old-{}", "" },
        { "Old", "\xae\xae\xafUp.kespreset", "Old-{}", "" },
        { "\xc0\xae\xc0\xae", "Up.kespreset", "", "" },
    };
    for (const auto& [folder, name, menu, shown] : rows)
    {
        SCOPED_TRACE (menu);
        const auto path = root + "/" + folder + "/" + name;
        ASSERT_TRUE (presets.deleteRecursively() && mkdir (root.c_str(), 0700) == 0 && mkdir ((root + "/" + folder).c_str(), 0700) == 0
                     && putFile (path, presetText ("Loaded")));
        processor->presetName = "before";
        processor->currentPresetPath = rawFile (path).getFullPathName();
        EXPECT_EQ (describe (editor->getMyPresetPopupMenu (presets.getFullPathName())), menu);
        if (shown.isNotEmpty())
        {
            ASSERT_EQ (editor->presetPaths.size(), 1);
            EXPECT_EQ (editor->presetPaths[0].toRawUTF8(), path);
            editor->menuItemSelected (1);
            EXPECT_EQ (processor->presetName.toString(), "Loaded");
        }
        const auto before = tree (home.folder.getFullPathName().toStdString());
        setNormalised (*processor, "phaser_fb", 0.75f);
        editor->menuItemSelected (100000001); // Save
        const auto after = tree (home.folder.getFullPathName().toStdString());

        EXPECT_EQ (processor->currentPresetPath.toRawUTF8(), path);
        EXPECT_EQ (processor->presetName.toString(), shown.isEmpty() ? "before" : shown);
        ASSERT_EQ (after.size(), before.size()); // no file made beside it, nor one folder up
        for (size_t i = 0; i < after.size(); ++i)
        {
            const auto entry = std::string ("presets/") + folder + "/" + name + "=";
            const bool saved = after[i].rfind (entry, 0) == 0 && after[i].find ("phaser_fb=\"0.75\"") != std::string::npos;
            EXPECT_TRUE (shown.isEmpty() ? after[i] == before[i] : after[i] == before[i] || saved) << after[i].substr (0, 80);
            EXPECT_TRUE (shown.isEmpty() || after[i].rfind (entry, 0) != 0 || saved);
        }
        if (shown.isNotEmpty())
        {
            setNormalised (*processor, "phaser_fb", 0.25f);
            editor->menuItemSelected (1); // the saved file reads back
            EXPECT_EQ (normalised (*processor, "phaser_fb"), 0.75f);
            EXPECT_EQ (processor->presetName.toString(), shown);
            // A folder that is not UTF-8 is not stored (the XML would hold another name).
            EXPECT_EQ (processor->lastPresetFolderPath.get(), folder == "Old" ? juce::String (root + "/Old") : juce::String());
        }
    }
}
