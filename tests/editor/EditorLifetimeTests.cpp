// The host may close the window while one of its menus or dialogs runs its
// own loop: nothing may touch the closed window afterwards (AddressSanitizer
// reports any such use).

#include "EditorTestSupport.h"

namespace editor_test
{
namespace
{
TEST_F (EditorTest, ClosingTheWindowWhileAMenuOrDialogRunsTouchesNothingOfIt)
{
    writeUserFile (presets.getChildFile ("Factory/A.kespreset"), "<ONDREL2 presetName=\"A\"/>");
    const auto closeWindow = [this] (juce::Component& modal)
    {
        juce::Component::SafePointer<juce::Component> menu (&modal);
        editor.reset();
        if (menu != nullptr)
            menu->exitModalState (0);
    };

    // The plug-in menu, the preset menu, and Save as...'s dialog reached through the plug-in menu.
    const std::pair<const char*, std::deque<Step>> cases[] = {
        { "plugin_menu", { closeWindow } },
        { "button_preset", { closeWindow } },
        { "plugin_menu", { choose (100000002), closeWindow } },
    };

    for (const auto& [id, steps] : cases)
    {
        editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
        auto& b = get<juce::Button> (id);
        whileModal ([&] { editor->buttonClicked (&b); }, steps);
        EXPECT_EQ (editor, nullptr) << id;
    }
}
} // namespace
} // namespace editor_test
