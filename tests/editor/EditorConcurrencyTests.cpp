// The editor while other threads change what it shows (run under
// ThreadSanitizer and AddressSanitizer). A host restoring chunks on its own
// thread while the editor shows the preset name: the label's value is only
// ever touched on the message thread.

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
    EXPECT_TRUE (pumpUntil ([&] { return label.getText() == "From Host"; }));
}

// Editors opened and closed while learned controllers (the audio thread) and
// automation (a host thread) move the parameters an open editor follows: a
// listener called while the editor is still being built or already going
// reads freed memory.
TEST_F (EditorTest, EditorsOpenAndCloseWhileControllersAndAutomationArrive)
{
    editor.reset();
    writeUserFile (midiTableFile(), R"(<ONDREL_MIDITABLE phaser_depth="20" phaser_rate="21" phaser_fb="22" filter_hp="23"/>)");
    processor->getMidiTableSetting();
    prepare (*processor, 44100.0, 32);

    std::atomic<bool> closed { false };
    std::thread audio ([&] {
        // Blocks of the four controllers at two values in turn: every block changes the parameters.
        juce::MidiBuffer blocks[2];
        for (int cc = 20; cc < 24; ++cc)
            for (int b = 0; b < 2; ++b)
                blocks[b].addEvent (juce::MidiMessage::controllerEvent (1, cc, 40 + 40 * b), cc - 20);
        juce::AudioBuffer<float> buffer (2, 32);
        for (int k = 0; ! closed; ++k)
        {
            buffer.clear();
            processor->processBlock (buffer, blocks[k % 2]);
        }
    });
    std::thread host ([&] {
        for (int k = 0; ! closed; ++k)
            for (const char* id : { "phaser_width", "filter_lp", "lfo_wave", "lfo_smooth", "output_drywet" })
                parameter (*processor, id).setValueNotifyingHost ((float) (k % 2));
    });

    for (int opening = 0; opening < 100; ++opening)
    {
        editor = std::make_unique<OndrelAudioProcessorEditor> (*processor);
        pumpMessages (1);
        editor.reset();
    }
    closed = true;
    audio.join();
    host.join();
}
