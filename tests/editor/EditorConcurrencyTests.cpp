// A host restoring chunks on its own thread while the editor shows the
// preset name on the message thread: the label's value is only ever touched
// on the message thread (run under ThreadSanitizer).

#include "EditorTestSupport.h"

#include <atomic>
#include <thread>

namespace editor_test
{
namespace
{
TEST_F (EditorTest, ChunksRestoredOnAHostThreadWhileTheLabelRefreshes)
{
    editor->setSize (718, 222);
    std::atomic<bool> done { false };

    std::thread host ([&]
    {
        for (int i = 0; i < 300; ++i)
        {
            auto chunk = makeChunk ("<ONDREL2 presetName=\"name " + std::to_string (i) + "\"/>");
            processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
            juce::MemoryBlock saved;
            processor->getStateInformation (saved);
        }
        done = true;
    });

    while (! done)
    {
        pumpMessages (1);
        (*editor->mainPanel).presetNameLabel.repaint();
        juce::ignoreUnused ((*editor->mainPanel).presetNameLabel.getText());
        processor->setPresetName ("edited");
    }

    host.join();
    EXPECT_TRUE (pumpUntil ([&] { return (*editor->mainPanel).presetNameLabel.getText() == processor->getPresetName(); }, 2000));
}
} // namespace
} // namespace editor_test
