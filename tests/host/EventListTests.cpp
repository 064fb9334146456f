// MIDI event lists as a careless host sends them, through the raw host. Every
// buffer the host hands over (the list, each event, each sysex dump) ends
// where an unreadable page begins, so a read past any of them crashes.
// Learned controllers show which events reached the plug-in.

#include "ParameterProfile.h"
#include "RawPlugin.h"
#include "vst2entry/EventScreen.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

namespace ondrel::hosttests
{

namespace
{
    using namespace vst2;

    // Controllers 20..32 are learned for the first thirteen parameters, in host order.
    constexpr int block = 512, firstController = 20, numBound = 13;
    constexpr const char* midiTable =
        R"(<ONDREL_MIDITABLE phaser_depth="20" phaser_rate="21" phaser_fb="22" phaser_width="23" filter_hp="24" )"
        R"(filter_lp="25" lfo_wave="26" lfo_smooth="27" output_in="28" output_out="29" output_drywet="30" )"
        R"(env_todepth="31" env_torate="32"/>)";

    // Memory handed out so that its last byte sits just before a PROT_NONE page.
    struct GuardedMemory
    {
        std::vector<std::pair<void*, size_t>> mappings;
        ~GuardedMemory() { for (const auto& [base, length] : mappings) munmap (base, length); }

        // `size` bytes (none at all: the address of the guard page itself).
        void* endingAtGuard (size_t size)
        {
            const auto page = (size_t) sysconf (_SC_PAGESIZE), readable = (std::max (size, (size_t) 1) + page - 1) / page * page;
            auto* base = (char*) mmap (nullptr, readable + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (base == MAP_FAILED || mprotect (base + readable, page, PROT_NONE) != 0)
                std::abort();
            mappings.emplace_back (base, readable + page);
            return base + readable - size;
        }

        template <typename T> T& place (size_t size = sizeof (T)) { return *new (endingAtGuard (size)) T {}; }
    };

    // A controller; a sysex event with the bytes the host gives (no dump at
    // all when empty) and the size it claims; or a null entry in the list.
    struct HostEvent
    {
        enum Kind { controller, sysex, none } kind;
        int time = 0, number = 0, value = 0;
        std::optional<std::string_view> dump {};
        VstIntPtr dumpBytes = 0;
    };

    HostEvent cc (int number, int value, int time = 0) { return { HostEvent::controller, time, number, value }; }
    HostEvent sysex (std::optional<std::string_view> dump, VstIntPtr dumpBytes) { return { HostEvent::sysex, 0, 0, 0, dump, dumpBytes }; }

    // One block: the events as a list in guarded memory, then processReplacing.
    void sendBlock (rawhost::RawPlugin& plugin, const std::vector<HostEvent>& events)
    {
        GuardedMemory memory;
        auto& list = memory.place<VstEvents> (sizeof (VstEvents) + events.size() * sizeof (VstEvent*));
        list.numEvents = (int) events.size();

        for (size_t i = 0; i < events.size(); ++i)
        {
            const auto& e = events[i];
            const auto header = [&] (auto& event, auto type) -> auto&
            {
                event.type = type;
                event.byteSize = sizeof (event);
                event.deltaFrames = e.time;
                list.events[i] = reinterpret_cast<VstEvent*> (&event);
                return event;
            };

            if (e.kind == HostEvent::controller)
            {
                const unsigned char bytes[] { 0xb0, (unsigned char) e.number, (unsigned char) e.value };
                std::memcpy (header (memory.place<VstMidiEvent>(), kVstMidiType).midiData, bytes, 3);
            }
            else if (e.kind == HostEvent::sysex)
            {
                auto& event = header (memory.place<VstMidiSysexEvent>(), kVstSysExType);
                event.dumpBytes = e.dumpBytes;
                if (e.dump)
                    event.sysexDump = static_cast<char*> (std::memcpy (memory.endingAtGuard (e.dump->size()), e.dump->data(), e.dump->size()));
            }
        }

        std::vector<float> silence (block), left (block), right (block);
        float *ins[] { silence.data(), silence.data() }, *outs[] { left.data(), right.data() };
        EXPECT_EQ (plugin.dispatch (effProcessEvents, 0, 0, &list), 1);
        plugin.processReplacing (ins, outs, block);
    }
}

TEST (EventLists, UnreadableSysexIsDroppedAndEverythingElseArrivesInBothOfTwoOpenInstancesHoweverLongTheList)
{
    // The plug-in reads its MIDI table when an instance is made; HOME is a fresh folder of this process.
    const juce::File table ("~/.config/Application Support/Kesmark/Ondrel.miditable");
    ASSERT_TRUE (table.create() && table.replaceWithText (midiTable));
    const std::vector<HostEvent> events {
        cc (20, 127, 0), sysex ("", 0) /* the dump pointer is the guard page itself */, cc (21, 64, 1), sysex ({}, 6),
        sysex ("\xb0\x16\x7f", 3) /* a controller carried in a sysex event: valid */, sysex ("", -1), sysex ({}, 0),
        sysex ("", INT_MIN), sysex ("", (VstIntPtr) 1 << 32) /* hosts write 32 bits: 0, above it garbage */,
        sysex ("\xb0\x17\x40", ((VstIntPtr) 1 << 32) | 3) /* 3, above it garbage */, sysex ({}, -5), { HostEvent::none },
        sysex ("\xf0\x7e\x7f\x06\x01\xf7", 6), cc (24, 1, 20),
    };
    // The controller values parameters 0..4 end at; all others keep their defaults.
    const int movedTo[] = { 127, 64, 127, 64, 1 };

    constexpr int numControllers = numBound * (2 * vst2entry::screenedListCapacity / numBound + 2);
    static_assert (numControllers > 2 * vst2entry::screenedListCapacity);

    // The first instance stays open while the second, made through the other entry point, gets the same events.
    std::deque<rawhost::RawPlugin> instances;
    for (const char* entryPoint : { "VSTPluginMain", "main" })
    {
        SCOPED_TRACE (entryPoint);
        auto& plugin = instances.emplace_back (ONDREL_PLUGIN_FILE, entryPoint);
        ASSERT_TRUE (plugin.isOpen()) << plugin.getError();
        plugin.resume (44100.0, block);

        sendBlock (plugin, events);
        for (int p = 0; p < numBound; ++p)
            EXPECT_NEAR (plugin.getParameter (p), p < 5 ? movedTo[p] / 127.0 : profile[(size_t) p].defaultValue, 1.0e-5) << p;

        // No list at all is no event.
        EXPECT_EQ (plugin.dispatch (effProcessEvents, 0, 0, nullptr), 1);

        // A list longer than the screened one. Controller i moves parameter i % 13. In pass w the
        // thirteen controllers of window w carry the block's latest position and a value of 100 +
        // parameter, every other controller an earlier position and the parameter's own number, so a
        // parameter ends at 100 + its number only if that one controller arrived. Each controller
        // stands in one window; unreadable sysex events in between move where the list boundaries fall.
        for (int window = 0; window < numControllers / numBound; ++window)
        {
            SCOPED_TRACE ("window " + std::to_string (window));
            std::vector<HostEvent> longList;
            for (int i = 0; i < numControllers; ++i)
            {
                const int p = i % numBound;
                const bool decisive = i / numBound == window;
                longList.push_back (cc (firstController + p, decisive ? 100 + p : p, decisive ? block - 1 : i % 400));
                if (i % 3 == 2)
                    longList.push_back (sysex ("", 0));
            }

            for (int p = 0; p < numBound; ++p)
                plugin.setParameter (p, 0.0f);
            sendBlock (plugin, longList);
            for (int p = 0; p < numBound; ++p)
                EXPECT_NEAR (plugin.getParameter (p), (100 + p) / 127.0, 1.0e-5) << "parameter " << p;
        }
        plugin.suspend();
    }
}

} // namespace ondrel::hosttests
