// The header's buttons and the plug-in menu's commands, through the editor.

#include "EditorTestSupport.h"
#include "editor/HeaderCommands.h"

#include <cstdlib>
#include <sys/wait.h>

using namespace editor_test;
using Header = EditorTest;

TEST_F (Header, KnobDragAndRandomiseAreOneUndoStepEach)
{
    // Changes with no message handled between them are closer together than
    // the grouping time: one burst. Waiting until the grouping timer has
    // stopped itself lets that time pass.
    const auto burstEnds = [&] { EXPECT_TRUE (pumpUntil ([&] { return ! undoTimer (*processor).isTimerRunning (0); })); };
    auto& knob = get<juce::Slider> ("phaser_depth");
    const auto start = values();
    for (int step = 1; step <= 5; ++step)
        knob.setValue (knob.getMinimum() + (knob.getMaximum() - knob.getMinimum()) * 0.13 * step, juce::sendNotificationSync);
    EXPECT_EQ (undoTimer (*processor).getTimerInterval (0), 50);
    burstEnds();
    const auto dragged = values();
    click ("randomize");
    burstEnds();
    const auto randomised = values();
    int draggedCount = 0, randomisedCount = 0;
    for (size_t i = 0; i < kNumParameters; ++i)
    {
        draggedCount += dragged[i] != start[i];
        randomisedCount += randomised[i] != dragged[i];
        EXPECT_TRUE (i < 8 || randomised[i] == dragged[i]) << kParameterIDs[i];
    }
    EXPECT_EQ (draggedCount, 1);
    EXPECT_GE (randomisedCount, 7);

    const std::pair<const char*, std::array<float, kNumParameters>> steps[] = {
        { "undo", dragged }, { "undo", start },       { "undo", start },
        { "redo", dragged }, { "redo", randomised }, { "redo", randomised }
    };
    for (const auto& [id, expected] : steps)
    {
        click (id);
        burstEnds();
        EXPECT_EQ (values(), expected) << id;
    }
}

// Nine characters from the alphabet ending in "*"; a new plug-in's first name
// follows the C library's unseeded sequence, which is the one seeded with 1:
// glibc's starts 1804289383, 846930886, ...: 1804289383 % 62 = 41 ("f").
TEST_F (Header, RandomNamesFollowTheUnseededCLibrarySequence)
{
    const std::string charset = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    editor.reset();
    std::srand (1);
    processor = std::make_unique<OndrelAudioProcessor>();
    editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
    for (int i = 0; i < 50; ++i)
    {
        click ("randomize");
        const auto name = processor->presetName.toString().toStdString();
        EXPECT_TRUE (i > 0 || name == "fa37JncC*") << name;
        EXPECT_TRUE (name.size() == 9 && name.find_first_not_of (charset) == 8 && name.back() == '*') << name;
    }
}

// Reset and Initialize set "init*"; other IDs, and undo or redo with nothing
// to take back, change nothing.
TEST_F (Header, ResetTouchesEightParametersInitializeThirteenNeitherBypass)
{
    const std::tuple<std::function<void()>, int, const char*> cases[] = {
        { [this] { click ("reset"); }, 8, "init*" },
        { [this] { editor->menuItemSelected (100000003); }, 13, "init*" },
        { [this] { click ("undo"); click ("redo"); }, 0, "kept" },
        { [this] {
             juce::TextButton other;
             for (const char* id : { "", "bypass", "Undo", "RESET", "plugin_menu ", "button_preset_up" })
                 other.setComponentID (id), editor->buttonClicked (&other);
         }, 0, "kept" },
    };

    for (const auto& [command, count, name] : cases)
    {
        for (size_t i = 0; i < kNumParameters; ++i) // away from every default, bypass on
            setNormalised (*processor, kParameterIDs[i], i == 13 ? 1.0f : 0.05f + 0.06f * (float) i);
        processor->undoManager->clearUndoHistory();
        const auto before = values();
        processor->presetName = "kept";
        command();
        for (size_t i = 0; i < kNumParameters; ++i)
            EXPECT_EQ (values()[i], (int) i < count ? parameter (*processor, kParameterIDs[i]).convertTo0to1 (kOwnRangeDefaults[i])
                                                    : before[i]) << count << " " << kParameterIDs[i];
        EXPECT_EQ (processor->presetName.toString(), name);
    }
}

// The plug-in menu's items, and the minimum width and item height of both
// header menus, follow the window (dismissed: no command, the button back to normal).
TEST_F (Header, MenusFollowTheWindowSize)
{
    ASSERT_TRUE (presets.getChildFile ("Factory").createDirectory());
    for (auto [w, h, pluginWidth, pluginItem, presetWidth, presetItem] : { std::array { 718, 222, 157, 19, 143, 22 },
                                                                           { 359, 111, 78, 9, 71, 11 },
                                                                           { 4308, 1332, 947, 119, 861, 133 } })
    {
        editor->setSize (w, h);
        auto& target = get<juce::Button> ("plugin_menu");
        EXPECT_EQ (HeaderCommands::menuOptions (*editor, target, 0.22f, 0.09f).getMaximumNumColumns(), 16);
        const auto plugin = menuOf ([&] { click ("plugin_menu"); }), preset = menuOf ([&] { click ("button_preset"); });
        EXPECT_EQ (plugin.rows, "Save|Save as...|----|Initialize All Param Values|----|Set Preset Folder Location|Open Preset "
                                "Folder|----|Reset Window Size|----|Visit Kesmark|Bug Report|----|About|");
        const auto heights = juce::StringArray::fromTokens (plugin.heights, false);
        EXPECT_EQ (std::count (heights.begin(), heights.end(), juce::String (pluginItem)), 9) << w;
        EXPECT_EQ (preset.heights, juce::String (presetItem) + " ") << w;
        EXPECT_TRUE (plugin.width >= pluginWidth && preset.width >= presetWidth) << plugin.width << " " << preset.width;
        EXPECT_EQ (target.getState(), juce::Button::buttonNormal);
        EXPECT_EQ (processor->presetName.toString(), "Preset");
    }
}

TEST_F (Header, SetPresetFolderLocationConfirmedOrCancelled)
{
    const auto chosen = home.folder.getChildFile ("chosen");
    ASSERT_TRUE (chosen.createDirectory());
    const auto settingsBefore = settingsFile().loadFileAsString();

    whileModal ([&] { click ("plugin_menu"); }, { choose (100000006), choose (0) });
    EXPECT_EQ (processor->presetLocation.toString(), presets.getFullPathName());
    EXPECT_EQ (settingsFile().loadFileAsString(), settingsBefore);

    whileModal ([&] { editor->menuItemSelected (100000006); }, { chooseFile (chosen, "", "Select Preset Folder of Ondrel") });
    EXPECT_EQ (processor->presetLocation.toString(), chosen.getFullPathName());
    EXPECT_TRUE (written (settingsFile()).contains ("presetLocation=\"" + chosen.getFullPathName() + "\""));
}

// A stand-in for the desktop's opener, first on PATH, records what is opened.
// A folder name the shell would expand is not handed to it at all. The
// framework starts the opener's shell and never waits for it: the test waits
// for it, so it knows the opener has run to its end and leaves nothing running.
// It blocks in waitpid: under AddressSanitizer on a loaded machine, polling with
// WNOHANG instead kept the shell from finishing for minutes.
TEST_F (Header, FolderAndWebLinksGoToTheDesktopOpener)
{
    const auto bin = home.folder.getChildFile ("bin"), log = home.folder.getChildFile ("opened.log");
    writeUserFile (bin.getChildFile ("xdg-open"), "#!/bin/sh\necho \"$1\" >> '" + log.getFullPathName().toStdString() + "'\n");
    ASSERT_TRUE (bin.getChildFile ("xdg-open").setExecutePermission (true));
    const std::string path = std::getenv ("PATH");
    setenv ("PATH", (bin.getFullPathName().toStdString() + ":" + path).c_str(), 1);
    const auto injected = home.folder.getChildFile ("injected");
    const auto odd = home.folder.getChildFile ("a$(touch " + injected.getFullPathName() + ")b");
    ASSERT_TRUE (presets.createDirectory() && odd.createDirectory());

    const std::tuple<int, juce::String, juce::String> cases[] = {
        { 100000007, presets.getFullPathName(), presets.getFullPathName() },
        { 100000007, home.folder.getChildFile ("missing").getFullPathName(), "" },
        { 100000007, "", "" },
        { 100000007, odd.getFullPathName(), "" },
        { 100000008, "", "https://kesmark.example/" },
        { 100000010, "", "https://kesmark.example/contact" },
    };
    for (const auto& [command, folder, expected] : cases)
    {
        log.deleteFile();
        processor->presetLocation = folder;
        editor->menuItemSelected (command);
        pumpPostedMessages(); // the links' clicks
        const pid_t shell = waitpid (-1, nullptr, 0); // -1: none started
        EXPECT_EQ (shell > 0, expected.isNotEmpty()) << command << " " << folder;
        EXPECT_EQ (log.loadFileAsString().trim(), expected) << command << " " << folder;
    }
    EXPECT_FALSE (injected.exists());
    setenv ("PATH", path.c_str(), 1);
}

TEST_F (Header, AboutNamesTheProductTheMakerAndTheTrademarks)
{
    editor->menuItemSelected (100000013);
    auto* box = dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent());
    ASSERT_TRUE (box != nullptr && box->getNumButtons() == 1);
    EXPECT_EQ (HeaderCommands::aboutText(), "Ondrel by Kesmark, version 2.0.0\n \nVST is a trademark of Steinberg Media "
                                            "Technologies GmbH\nAudio Units is a trademark of Apple Inc");
    box->exitModalState (1);
}

// The host may close the window while one of its menus or dialogs runs its
// own loop: nothing may touch the closed window afterwards (AddressSanitizer
// reports any such use). The plug-in menu, the preset menu, and Save as...'s
// dialog and question reached through the plug-in menu.
TEST_F (Header, ClosingTheWindowWhileAMenuOrDialogRunsTouchesNothingOfIt)
{
    writeUserFile (presets.getChildFile ("Factory/A.kespreset"), "<ONDREL2 presetName=\"A\"/>");
    const Step closeWindow = [this] (juce::Component& modal) {
        juce::Component::SafePointer<juce::Component> menu (&modal);
        editor.reset();
        if (menu != nullptr)
            menu->exitModalState (0);
    };
    const std::pair<const char*, std::deque<Step>> cases[] = {
        { "plugin_menu", { closeWindow } },
        { "button_preset", { closeWindow } },
        { "plugin_menu", { choose (100000002), closeWindow } },
        { "plugin_menu", { choose (100000002), chooseFile (presets.getChildFile ("Factory"), "A", "save preset as..."),
                           closeWindow } }, // "A.kespreset" exists: the question whether to replace it
    };
    for (const auto& [id, steps] : cases)
    {
        editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
        auto& b = get<juce::Button> (id);
        whileModal ([&] { editor->buttonClicked (&b); }, steps);
        EXPECT_EQ (editor, nullptr) << id;
    }
}
