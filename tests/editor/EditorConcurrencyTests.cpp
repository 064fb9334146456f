// A host restoring chunks on its own thread while the editor shows the
// preset name on the message thread: the label's value is only ever touched
// on the message thread (run under ThreadSanitizer).

#include "EditorTestSupport.h"

#include <atomic>
#include <thread>

using namespace editor_test;

TEST_F (EditorTest, ChunksRestoredOnAHostThreadWhileTheLabelRefreshes)
{
    auto& label = editor->mainPanel->presetNameLabel;
    std::atomic<bool> done { false };
    const auto restore = [this] (const std::string& name) {
        auto chunk = makeChunk ("<ONDREL2 presetName=\"" + name + "\"/>");
        processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
    };
    std::thread host ([&] {
        for (int i = 0; i < 300; ++i)
        {
            restore ("name " + std::to_string (i));
            juce::MemoryBlock saved;
            processor->getStateInformation (saved);
        }
        done = true;
    });

    while (! done)
    {
        pumpMessages (1);
        label.repaint();
        juce::ignoreUnused (label.getText());
        processor->setPresetName ("edited");
    }

    host.join();
    // A name restored on another thread reaches the label on the message thread.
    std::thread last ([&] { restore ("From Host"); });
    last.join();
    EXPECT_TRUE (pumpUntil ([&] { return label.getText() == "From Host"; }, 2000));
}
