// A raw VST2 host (no JUCE on its side) closes the plug-in around the editor's
// menus and dialogs, which run modal loops inside its effEditIdle calls: with
// effClose on its GUI thread once the dialog is answered, the editor still
// open; and, of two instances, one deleted from another thread while its
// dialog is open, whatever the user then answers. AddressSanitizer reports
// any use of what is gone.

#include "EditorLoop.h"
#include "HostedEditor.h"
#include "ParameterProfile.h"

#include <atomic>
#include <set>
#include <thread>

namespace ondrel::windowtests
{

namespace
{
    using rawhost::EditorLoop;
    using rawhost::RawPlugin;

    // At 718 x 222: the Menu button, and the rows of the menu it opens; in the
    // 600 x 500 file dialog, its file name box.
    const juce::Point<int> menuButton { 270, 17 }, knob { 250, 86 }, fileBox { 320, 437 };
    constexpr int saveAsRow = 29, setFolderRow = 85;

    // One user action on the dialogs open, and how many are open after it.
    struct Step
    {
        const char* action; // a key, or "name:" typed into the file name box and confirmed
        size_t dialogsAfter; // anyCount: any change
    };
    constexpr size_t anyCount = ~size_t (0);

    juce::File home() { return juce::File::getSpecialLocation (juce::File::userHomeDirectory); }
    juce::File presets() { return home().getChildFile ("presets"); }
    juce::File existing() { return presets().getChildFile ("A.kespreset"); }
    const juce::String oldPreset ("<ONDREL2 presetName=\"old\"/>");

    // What a row leaves on disk, read back: the existing preset's name, the
    // other files beside it and the preset folder in the settings.
    std::string diskState()
    {
        juce::StringArray names;
        for (const auto& f : presets().findChildFiles (juce::File::findFiles, false))
            names.add (f.getFileName());
        names.sort (false);
        return storedAttribute (existing(), "presetName").toStdString() + " | " + names.joinIntoString (" ").toStdString()
               + " | " + storedAttribute (settingsFile(), "presetLocation").toStdString();
    }

    class Desk
    {
    public:
        Desk()
        {
            home().getChildFile (".config").deleteRecursively();
            presets().deleteRecursively();
            EXPECT_TRUE (presets().createDirectory() && existing().replaceWithText (oldPreset));
            settingsFile().getParentDirectory().createDirectory();
            juce::XmlElement settings ("ONDREL");
            settings.setAttribute ("presetLocation", presets().getFullPathName());
            EXPECT_TRUE (settings.writeTo (settingsFile()));
        }

        // Loads an instance and opens its editor at `y`, under where the
        // dialogs show (to be repainted when they close); null on failure.
        RawPlugin* open (int y, bool waitForInput = true)
        {
            auto& plugin = *plugins.emplace_back (std::make_unique<RawPlugin> (ONDREL_PLUGIN_FILE));
            if (! plugin.isOpen() || loop.openEditor (plugin, x, y) == 0)
                return nullptr;
            origins.push_back ({ x, y });
            // Taking input once the pointer lights up the bypass button.
            return ! waitForInput || waitUntilHovered ({ x + 612, y + 207 }, { x + 602, y + 207 }) ? &plugin : nullptr;
        }

        // Top-level windows that are neither the host's nor there before.
        std::vector<ScreenBox> dialogs() const
        {
            std::vector<ScreenBox> found;
            for (const auto& box : viewableTopLevels())
                if (base.count (box.id) == 0 && box.width >= 100 && box.height >= 60)
                    found.push_back (box);
            return found;
        }

        // From the Menu button of the editor at `origin`, the row at `row`
        // (0: the menu itself stays open).
        ::testing::AssertionResult openFromMenu (juce::Point<int> origin, int row)
        {
            for (const auto& box : viewableTopLevels())
                base.insert (box.id);
            const auto menu = clickForMenu (origin + menuButton);
            if (menu.id == 0)
                return ::testing::AssertionFailure() << "no menu";
            if (row == 0)
                return ::testing::AssertionSuccess();
            // Named after the test: window tests may run side by side.
            const auto shot = juce::String ("menu-row-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
            if (auto chosen = chooseRow (menu, row, shot); ! chosen)
                return chosen;
            if (! waitUntil ([&] { const auto d = dialogs(); return d.size() == 1 && d[0].id != menu.id; }))
                return ::testing::AssertionFailure() << "no dialog from the row at " << row;
            return ::testing::AssertionSuccess();
        }

        ::testing::AssertionResult perform (const Step& step)
        {
            std::set<unsigned long> before;
            for (const auto& d : dialogs())
                before.insert (d.id);
            juce::String action (step.action), output;
            if (action.startsWith ("name:"))
            {
                const auto chooser = dialogs().front();
                click (juce::Point<int> (chooser.x, chooser.y) + fileBox);
                // The chooser has the keyboard: its events come after the click,
                // which put the text box in focus. "type" takes every word after
                // it as text.
                runProgram ({ "xdotool", "windowfocus", juce::String (chooser.id), "type", "--delay", "30", action.substring (5) },
                            output);
                runProgram ({ "xdotool", "key", "Return" }, output);
            }
            else
                key (action, output);

            const auto done = [&] {
                const auto now = dialogs();
                std::set<unsigned long> ids;
                for (const auto& d : now)
                    ids.insert (d.id);
                return ids != before && (step.dialogsAfter == anyCount || now.size() == step.dialogsAfter);
            };
            if (! waitUntil (done))
                return ::testing::AssertionFailure() << output << step.action << ": " << dialogs().size() << " dialogs open";
            return ::testing::AssertionSuccess();
        }

        // A key to the topmost dialog, given the focus first: a dialog that
        // closed leaves the keyboard focus nowhere in particular.
        void key (const juce::String& name, juce::String& output) const
        {
            const auto open = dialogs();
            if (open.empty())
                runProgram ({ "xdotool", "key", name }, output);
            else
                runProgram ({ "xdotool", "windowfocus", juce::String (open.back().id), "key", name }, output);
        }

        // Confirms whatever dialogs are open, one Return at a time, until none is left.
        bool confirmAll() const
        {
            return waitUntil ([this] {
                const auto open = dialogs();
                if (open.empty())
                    return true;
                juce::String output;
                key ("Return", output);
                // Paces the presses; the verdict is the outer wait's.
                waitUntil ([&] { const auto now = dialogs(); return now.size() != open.size() || (! now.empty() && now.back().id != open.back().id); }, 5000);
                return false;
            }, 120000);
        }

        // The host automates the plug-in's parameters from another thread and
        // is asked to close it: on its GUI thread, once the idle call in
        // progress returns, it stops the automation and sends effClose, no
        // effEditClose first. The editor has controls to repaint meanwhile.
        void automateThenClose (RawPlugin& plugin)
        {
            automation = std::thread ([this, &plugin] {
                juce::Random random (7);
                for (; ! stopAutomation; pause (1))
                    plugin.setParameter (random.nextInt (hosttests::bypass), random.nextFloat());
                automationDone = true;
            });
            loop.post ([this] { stopAutomation = true; while (! automationDone) pause (1); });
            loop.postClose (plugin, false);
            loop.post ([this] { closed = true; });
        }

        bool waitUntilClosed() const { return waitUntil ([this] { return closed.load(); }); }

        // After a failure too: each plug-in still open is closed on the GUI
        // thread, which a dialog left open would hold.
        ~Desk()
        {
            stopAutomation = true;
            if (automation.joinable())
                automation.join();
            std::atomic<bool> allClosed { false };
            for (auto& plugin : plugins)
                loop.postClose (*plugin, false);
            loop.post ([&] { allClosed = true; });
            waitUntil ([&] { return allClosed || (pressEscape(), false); });
        }

        static constexpr int x = 400;
        std::vector<std::unique_ptr<RawPlugin>> plugins; // outlive the loop
        EditorLoop loop;
        std::vector<juce::Point<int>> origins;
        std::set<unsigned long> base;
        std::atomic<bool> stopAutomation { false }, automationDone { false }, closed { false };
        std::thread automation;
    };

    struct Row
    {
        const char* what;
        int menuRow;
        std::vector<Step> steps;
        const char* disk; // existing preset's name | files | preset folder ("~": the home folder)
    };

    std::string expectedDisk (const char* disk)
    {
        return juce::String (disk).replace ("~/presets", presets().getFullPathName()).replace ("~", home().getFullPathName()).toStdString();
    }
}

// The same with no dialog, right after the editor opened, its first picture
// not yet painted: where the closing editor and JUCE's own message thread
// race, one of these closes nearly always meets it.
TEST (DialogClose, EffCloseWithTheEditorOpenAndStillPainting)
{
    for (int i = 0; i < 40 && ! ::testing::Test::HasFailure(); ++i)
    {
        Desk desk;
        auto* plugin = desk.open (300, false);
        ASSERT_NE (plugin, nullptr) << i;
        pause (100);
        desk.automateThenClose (*plugin);
        EXPECT_TRUE (desk.waitUntilClosed()) << i;
    }
}

// The host is asked to close the plug-in while a menu or dialog is open (see
// automateThenClose) and does it once the dialog is answered.
TEST (DialogClose, EffCloseOnceTheDialogIsAnsweredWithTheEditorStillOpen)
{
    const Row rows[] = {
        { "plug-in menu dismissed", 0, { { "Escape", 0 } }, "old | A.kespreset | ~/presets" },
        { "Save as cancelled", saveAsRow, { { "Escape", 0 } }, "old | A.kespreset | ~/presets" },
        { "Save as a new name", saveAsRow, { { "name:New", 0 } }, "old | A.kespreset New.kespreset | ~/presets" },
        { "replace question declined", saveAsRow, { { "name:A.kespreset", 2 }, { "Escape", 1 }, { "Escape", 0 } },
          "old | A.kespreset | ~/presets" },
        { "replace question accepted", saveAsRow, { { "name:A.kespreset", 2 }, { "Return", 0 } },
          "A | A.kespreset | ~/presets" },
        { "Overwrite question declined", saveAsRow, { { "name:A", 1 }, { "Escape", 0 } }, "old | A.kespreset | ~/presets" },
        { "Overwrite question accepted", saveAsRow, { { "name:A", 1 }, { "Return", 0 } }, "A | A.kespreset | ~/presets" },
        { "preset folder chooser cancelled", setFolderRow, { { "Escape", 0 } }, "old | A.kespreset | ~/presets" },
        { "preset folder chosen", setFolderRow, { { "Return", 0 } }, "old | A.kespreset | ~" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.what);
        Desk desk;
        auto* plugin = desk.open (300);
        ASSERT_NE (plugin, nullptr);
        ASSERT_TRUE (desk.openFromMenu (desk.origins[0], row.menuRow));
        desk.automateThenClose (*plugin);

        for (const auto& step : row.steps)
            EXPECT_TRUE (desk.perform (step));
        // A dialog left open by a failed step holds the host's idle call.
        for (int i = 0; i < 3 && ! desk.dialogs().empty(); ++i, pause (200))
            pressEscape();
        EXPECT_TRUE (desk.waitUntilClosed());
        EXPECT_EQ (diskState(), expectedDisk (row.disk));
    }
}

// Of two instances, one is deleted from another thread while its dialog is
// open; the user then confirms whatever is still open. Nothing is written,
// and the other instance goes on until the host closes it.
TEST (DialogClose, AnInstanceDeletedFromAnotherThreadWhileItsDialogIsOpenWritesNothing)
{
    const Row rows[] = {
        { "Save as chooser", saveAsRow, {}, "" },
        { "replace question", saveAsRow, { { "name:A.kespreset", 2 } }, "" },
        { "Overwrite question", saveAsRow, { { "name:A", 1 } }, "" },
        { "preset folder chooser", setFolderRow, {}, "" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.what);
        Desk desk;
        auto* deleted = desk.open (300);
        auto* kept = desk.open (600);
        ASSERT_TRUE (deleted != nullptr && kept != nullptr);
        ASSERT_TRUE (desk.openFromMenu (desk.origins[0], row.menuRow));
        for (const auto& step : row.steps)
            ASSERT_TRUE (desk.perform (step));

        const auto open = desk.dialogs().size();
        desk.loop.stopIdling (*deleted);
        deleted->close();
        // JUCE's end of the plug-in cancels the dialog on top; whatever it
        // leaves open is confirmed.
        EXPECT_TRUE (waitUntil ([&] { return desk.dialogs().size() == open - 1; }));
        EXPECT_TRUE (desk.confirmAll());
        EXPECT_EQ (diskState(), expectedDisk ("old | A.kespreset | ~/presets"));

        // The other instance still answers the pointer, then closes.
        EXPECT_TRUE (desk.openFromMenu (desk.origins[1], 0));
        EXPECT_TRUE (desk.perform ({ "Escape", 0 }));
        desk.automateThenClose (*kept);
        EXPECT_TRUE (desk.waitUntilClosed());
    }
}

} // namespace ondrel::windowtests
