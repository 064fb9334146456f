// The preset menu and arrows over a folder tree, loading, Save and Save as...,
// and preset files as untrusted input.

#include "EditorTestSupport.h"

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

class Presets : public EditorTest
{
protected:
    // Factory/A, Factory/Bass/B and User/C, whose elements name other presets;
    // a text file, an empty folder, and a preset in the preset folder itself.
    // The ids follow the file system's order of the folders, unsorted.
    void makeTree()
    {
        for (auto [path, name] : { std::pair ("Factory/A.kespreset", "Alpha"), std::pair ("Factory/Bass/B.kespreset", "Bee"),
                                   std::pair ("User/C.kespreset", "Sea"), std::pair ("Loose.kespreset", "Loose"),
                                   std::pair ("Factory/notes.txt", "") })
            writeUserFile (presets.getChildFile (path), presetText (name));

        ASSERT_TRUE (presets.getChildFile ("Empty").createDirectory());
        std::map<juce::String, std::pair<std::string, juce::StringArray>> part { { "Factory", { "Factory{A=# Bass{B=#}}", { "Alpha", "Bee" } } },
                                                                                { "User", { "User{C=#}", { "Sea" } } },
                                                                                { "Empty", { "Empty-{}", {} } } };
        int id = 0;

        for (const auto& folder : presets.findChildFiles (juce::File::findDirectories, false, "*"))
        {
            auto [text, names] = part[folder.getFileName()];

            for (auto at = text.find ('#'); at != std::string::npos; at = text.find ('#'))
                text.replace (at, 1, std::to_string (++id));

            expectedMenu += (expectedMenu.empty() ? "" : " ") + text;
            expectedNames.addArray (names);
        }
    }

    void load (const juce::File& file)
    {
        editor->presetPaths = { file.getFullPathName() };
        editor->menuItemSelected (1);
    }

    std::string expectedMenu;
    juce::StringArray expectedNames; // in id order
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

    // A link back up the tree is not followed: the walk ends, with the same menu.
    ASSERT_TRUE (presets.createSymbolicLink (presets.getChildFile ("Factory/Loop"), true));
    EXPECT_EQ (describe (editor->getMyPresetPopupMenu (presets.getFullPathName() + "/")), expectedMenu);
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

    whileModal ([&] { click ("button_preset"); }, { choose (1) });
    EXPECT_EQ (processor->presetName.toString(), expectedNames[0]);
    EXPECT_FALSE (get<juce::Button> ("button_preset").getToggleState());

    for (auto [arrow, index] : { std::pair ("right", 1), std::pair ("right", 2), std::pair ("right", 0),
                                 std::pair ("left", 2), std::pair ("left", 1) })
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

    for (const auto& folder : { presets.getFullPathName(), home.folder.getChildFile ("missing").getFullPathName(), juce::String() })
    {
        processor->presetLocation = folder;

        for (const char* id : { "button_preset", "button_preset_left", "button_preset_right" })
            whileModal ([&] { click (id); }, {});
    }

    ASSERT_TRUE (presets.getChildFile ("x/Dir.kespreset").createDirectory());
    const auto before = values();

    for (const auto& entry : { presets.getChildFile ("x/Gone.kespreset"), presets.getChildFile ("x/Dir.kespreset") })
    {
        processor->currentPresetPath = "/somewhere.kespreset";
        load (entry);
        EXPECT_EQ (processor->currentPresetPath, "");
    }

    processor->currentPresetPath = "/somewhere.kespreset";
    editor->menuItemSelected (2);
    EXPECT_EQ (processor->currentPresetPath, "");
    EXPECT_EQ (values(), before);
    EXPECT_EQ (processor->presetName.toString(), "Preset");
}

// The extension is appended unless already there in any case; each file is
// written whole, with nothing left beside it.
TEST_F (Presets, SaveAsNamesTheFileAndTheShownPreset)
{
    const auto folder = presets.getChildFile ("User");
    ASSERT_TRUE (folder.createDirectory());

    for (auto [typed, fileName, shown] : { std::tuple ("name", "name.kespreset", "name"),
                                           std::tuple ("name.txt", "name.txt.kespreset", "name.txt"),
                                           std::tuple ("other.KESPRESET", "other.KESPRESET", "other") })
    {
        setNormalised (*processor, "phaser_fb", 0.25f);
        whileModal ([&] { editor->saveAs(); }, { chooseFile (folder, typed, "save preset as...") });
        const auto file = folder.getChildFile (fileName);
        EXPECT_EQ (processor->currentPresetPath, file.getFullPathName());
        EXPECT_EQ (processor->lastPresetFolderPath.get(), folder.getFullPathName());
        EXPECT_EQ (processor->presetName.toString(), shown);

        const auto xml = juce::parseXML (file);
        ASSERT_TRUE (xml != nullptr && file.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
        EXPECT_EQ (xml->getStringAttribute ("presetName"), shown);
        EXPECT_EQ (xml->getStringAttribute ("lastPresetFolderPath"), folder.getFullPathName());
        EXPECT_EQ ((float) xml->getDoubleAttribute ("phaser_fb"), 0.25f);
    }

    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 3); // and no temporary one
}

TEST_F (Presets, SaveRewritesTheCurrentFileOrAsksForOne)
{
    whileModal ([&] { click ("plugin_menu"); }, { choose (100000001), choose (0) }); // Save as..., cancelled
    EXPECT_EQ (processor->presetName.toString(), "Preset");
    EXPECT_EQ (processor->currentPresetPath, "");

    const auto file = presets.getChildFile ("User/Mine.kespreset");
    writeUserFile (file, presetText ("Someone else's name"));
    load (file);
    setNormalised (*processor, "phaser_fb", 0.75f);
    editor->menuItemSelected (100000001);
    EXPECT_EQ (processor->presetName.toString(), "Mine");
    EXPECT_EQ ((float) juce::parseXML (file)->getDoubleAttribute ("phaser_fb"), 0.75f);

    // A folder that cannot be created: nothing written, nothing thrown.
    writeUserFile (home.folder.getChildFile ("plain"), "a file");
    processor->currentPresetPath = home.folder.getChildFile ("plain/Lost.kespreset").getFullPathName();
    editor->menuItemSelected (100000001);
    EXPECT_EQ (processor->presetName.toString(), "Lost");
    EXPECT_EQ (home.folder.getChildFile ("plain").loadFileAsString(), "a file");
}

// Untrusted files apply whole or change nothing; either way the file read
// becomes the current one. Cut short anywhere before the end of its element,
// a preset changes nothing.
TEST_F (Presets, HostileFilesChangeNothingOrApplyWhole)
{
    juce::Random random (99);
    std::string garbage (3 << 20, ' '), ascii (3 << 20, ' '), deep = presetText ("Deep"), many = presetText ("Many");
    std::generate (garbage.begin(), garbage.end(), [&] { return (char) random.nextInt (256); });
    std::generate (ascii.begin(), ascii.end(), [&] { return (char) (32 + random.nextInt (95)); });
    deep.replace (deep.find ("/>"), 2, ">");

    for (int i = 0; i < 200000; ++i)
        deep += "<a>";

    for (int i = 0; i < 5000; ++i)
        many.insert (many.find ("/>"), " a" + std::to_string (i) + "=\"" + std::to_string (i) + "\"");

    std::vector<std::pair<std::string, const char*>> cases = { // the name when applied, else null
        { garbage, nullptr }, { ascii, nullptr }, { "<ONDREL2 presetName=\"A\xff\"/>", nullptr },
        { presetText ("end\xe2\x82"), nullptr }, { deep, nullptr }, { many, "Many" },
        { "\xef\xbb\xbf" + presetText ("Bom", 0.2f), "Bom" }, { presetText ("Pad") + std::string (9 << 20, ' '), nullptr },
        { "<!DOCTYPE x [<!ENTITY a \"&a;\">]><ONDREL2 presetName=\"&a;\"/>", "" },
        { "<!DOCTYPE x [<!ENTITY a \"<b>&a;</b>\">]><ONDREL2 presetName=\"z\">&a;</ONDREL2>", nullptr },
        { "<ONDREL3 presetName=\"Other\"/>", nullptr }, { "<ONDREL2 presetName='Q' phaser_fb=\"0.5\"><c/></ONDREL2>", "Q" },
        { "fifo", nullptr }, // would block a reader forever
    };
    const auto cut = presetText ("Cut", 0.15f);
    for (size_t size = 1, end = cut.find ("/>") + 2; size <= end; ++size)
        cases.push_back ({ cut.substr (0, size), size == end ? "Cut" : nullptr });

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

// Random damage: applied exactly as the framework's parser reads the whole
// text, or not at all; never anything in between.
TEST_F (Presets, FuzzedPresetsApplyFullyOrChangeNothing)
{
    const std::string seeds[] = { presetText ("Seed"), presetText ("a&amp;b&lt;", 0.3f), "<ONDREL2/>" };
    const char* const tokens[] = { "\"", "'", "<", ">", "/", "=", "&", "&bogus;", "nan", "\xc3", " x=\"1\"", "-->", "<!--" };
    const auto file = presets.getChildFile ("x/Fuzz.kespreset");
    juce::Random fuzz (20261206);
    int applied = 0;

    for (int iteration = 0; iteration < 3000 && ! HasFailure(); ++iteration)
    {
        std::string text = seeds[fuzz.nextInt (3)], junk (3, ' ');
        const auto at = (size_t) fuzz.nextInt ((int) text.size());
        std::generate (junk.begin(), junk.end(), [&] { return (char) fuzz.nextInt (256); });

        switch (fuzz.nextInt (5))
        {
            case 0: text.replace (at, 1 + (size_t) fuzz.nextInt (3), junk, 0, 1 + (size_t) fuzz.nextInt (3)); break;
            case 1: text.insert (at, tokens[fuzz.nextInt ((int) std::size (tokens))]); break;
            case 2: text.erase (at, (size_t) fuzz.nextInt (20)); break;
            case 3: text.resize (at); break;
            default: text[at] = (char) (text[at] ^ (1 << fuzz.nextInt (8))); break;
        }

        for (const char* id : kParameterIDs)
            setNormalised (*processor, id, fuzz.nextFloat());

        processor->presetName = "before";
        const auto before = captureState (*processor);
        writeUserFile (file, text);
        load (file);
        const auto after = captureState (*processor);

        if (after == before)
            continue;

        const auto utf8 = text.substr (0, std::strlen (text.c_str()));
        const auto xml = juce::CharPointer_UTF8::isValidString (utf8.data(), (int) utf8.size())
                             ? juce::parseXML (juce::String::fromUTF8 (utf8.data(), (int) utf8.size()))
                             : nullptr;
        ++applied;
        ASSERT_TRUE (xml != nullptr && xml->hasTagName ("ONDREL2")) << text;
        EXPECT_EQ (after.presetName, xml->getStringAttribute ("presetName")) << text;
        EXPECT_EQ (after.lastFolder, xml->getStringAttribute ("lastPresetFolderPath")) << text;

        for (size_t i = 0; i < kNumParameters; ++i)
        {
            auto& param = parameter (*processor, kParameterIDs[i]);
            const double v = xml->getDoubleAttribute (kParameterIDs[i], 0.0);
            EXPECT_EQ (after.values[i], param.convertTo0to1 (param.convertFrom0to1 (std::isfinite (v) ? (float) v : 0.0f)))
                << text;
        }
    }

    EXPECT_GT (applied, 300);
    EXPECT_LT (applied, 2700);
}
