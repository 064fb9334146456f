// MIDI event lists as a careless host sends them, through the raw host. Every
// buffer the host hands over (the list, each event, each sysex dump) ends
// where an unreadable page begins, so a read past any of them crashes.
// Learned controllers show which events reached the plug-in.

#include "RawPlugin.h"
#include "vst2entry/EventScreen.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string_view>
#include <vector>

namespace ondrel::hosttests
{

namespace
{
    using namespace vst2;

    constexpr int block = 512;

    // Controllers 20..32 are learned for the first thirteen parameters, in host order.
    constexpr const char* boundIds[] = { "phaser_depth", "phaser_rate", "phaser_fb", "phaser_width", "filter_hp",
                                         "filter_lp", "lfo_wave", "lfo_smooth", "output_in", "output_out",
                                         "output_drywet", "env_todepth", "env_torate" };
    constexpr int numBound = (int) std::size (boundIds);
    constexpr int firstController = 20;

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

        template <typename T>
        T& place (size_t size = sizeof (T)) { return *new (endingAtGuard (size)) T {}; }
    };

    struct HostEvent
    {
        enum Kind { controller, sysex, sysexWithoutDump, noEvent } kind;
        int time = 0, number = 0, value = 0; // time, and for a controller its number and value
        std::string_view dump {};            // sysex: the bytes the host gives
        VstIntPtr dumpBytes = 0;             // sysex: the size it claims
    };

    HostEvent cc (int number, int value, int time = 0) { return { HostEvent::controller, time, number, value }; }
    HostEvent sysex (std::string_view dump, VstIntPtr dumpBytes) { return { HostEvent::sysex, 0, 0, 0, dump, dumpBytes }; }
    HostEvent sysexWithoutDump (VstIntPtr dumpBytes) { return { HostEvent::sysexWithoutDump, 0, 0, 0, {}, dumpBytes }; }
    const HostEvent noEvent { HostEvent::noEvent };

    VstEvents& guardedList (GuardedMemory& memory, const std::vector<HostEvent>& events)
    {
        auto& list = memory.place<VstEvents> (sizeof (VstEvents) + events.size() * sizeof (VstEvent*));
        list.numEvents = (int) events.size();

        for (size_t i = 0; i < events.size(); ++i)
        {
            const auto& e = events[i];

            if (e.kind == HostEvent::controller)
            {
                auto& midi = memory.place<VstMidiEvent>();
                midi.type = kVstMidiType;
                midi.byteSize = sizeof (VstMidiEvent);
                midi.deltaFrames = e.time;
                midi.midiData[0] = 0xb0;
                midi.midiData[1] = (unsigned char) e.number;
                midi.midiData[2] = (unsigned char) e.value;
                list.events[i] = reinterpret_cast<VstEvent*> (&midi);
            }
            else if (e.kind != HostEvent::noEvent)
            {
                auto& sysexEvent = memory.place<VstMidiSysexEvent>();
                sysexEvent.type = kVstSysExType;
                sysexEvent.byteSize = sizeof (VstMidiSysexEvent);
                sysexEvent.deltaFrames = e.time;
                sysexEvent.dumpBytes = e.dumpBytes;

                if (e.kind == HostEvent::sysex)
                {
                    sysexEvent.sysexDump = static_cast<char*> (memory.endingAtGuard (e.dump.size()));
                    std::memcpy (sysexEvent.sysexDump, e.dump.data(), e.dump.size());
                }

                list.events[i] = reinterpret_cast<VstEvent*> (&sysexEvent);
            }
        }

        return list;
    }

    class EventLists : public ::testing::Test
    {
    protected:
        // The plug-in reads its MIDI table when an instance is made.
        void SetUp() override
        {
            const std::filesystem::path folder = std::filesystem::path (std::getenv ("HOME")) / ".config/Application Support/Kesmark";
            std::filesystem::create_directories (folder);
            tableFile = folder / "Ondrel.miditable";
            std::ofstream table (tableFile);
            table << "<ONDREL_MIDITABLE";
            for (int p = 0; p < numBound; ++p)
                table << ' ' << boundIds[p] << "=\"" << firstController + p << '"';
            table << "/>\n";
        }

        void TearDown() override { std::filesystem::remove (tableFile); }

        // One block: the list, then processReplacing.
        static void sendBlock (rawhost::RawPlugin& plugin, VstEvents& list)
        {
            std::vector<float> in[2] { std::vector<float> (block), std::vector<float> (block) };
            std::vector<float> out[2] { std::vector<float> (block), std::vector<float> (block) };
            float* ins[] = { in[0].data(), in[1].data() };
            float* outs[] = { out[0].data(), out[1].data() };

            EXPECT_EQ (plugin.dispatch (effProcessEvents, 0, 0, &list), 1);
            plugin.processReplacing (ins, outs, block);
        }

        std::filesystem::path tableFile;
    };

    // A controller value as the normalised value of the parameter it moves.
    double normalised (int value) { return value / 127.0; }
}

TEST_F (EventLists, UnreadableSysexIsDroppedAndEverythingElseArrivesThroughEitherEntryPoint)
{
    const std::vector<HostEvent> events {
        cc (20, 127, 0),
        sysex ("", 0),                                     // the dump pointer is the guard page itself
        cc (21, 64, 1),
        sysexWithoutDump (6),
        sysex ("\xb0\x16\x7f", 3),                         // a controller carried in a sysex event: valid
        sysex ("", -1),
        sysexWithoutDump (0),
        sysex ("", INT_MIN),
        sysex ("", (VstIntPtr) 1 << 32),                   // hosts write 32 bits: 0, above it garbage
        sysex ("\xb0\x17\x40", ((VstIntPtr) 1 << 32) | 3), // 3, above it garbage
        sysexWithoutDump (-5),
        noEvent,
        sysex ("\xf0\x7e\x7f\x06\x01\xf7", 6),
        cc (24, 1, 20),
    };
    // Parameter index and the controller value it ends at; all others keep their defaults.
    const std::pair<int, int> moved[] = { { 0, 127 }, { 1, 64 }, { 2, 127 }, { 3, 64 }, { 4, 1 } };

    for (const char* entryPoint : { "VSTPluginMain", "main" })
    {
        SCOPED_TRACE (entryPoint);
        rawhost::RawPlugin plugin (ONDREL_PLUGIN_FILE, entryPoint);
        ASSERT_TRUE (plugin.isOpen()) << plugin.getError();
        plugin.resume (44100.0, block);

        std::vector<double> expected;
        for (int p = 0; p < numBound; ++p)
            expected.push_back (plugin.getParameter (p));
        for (const auto& [p, value] : moved)
            expected[(size_t) p] = normalised (value);

        GuardedMemory memory;
        sendBlock (plugin, guardedList (memory, events));

        for (int p = 0; p < numBound; ++p)
            EXPECT_NEAR (plugin.getParameter (p), expected[(size_t) p], 1.0e-5) << "parameter " << p;

        // No list at all is no event.
        EXPECT_EQ (plugin.dispatch (effProcessEvents, 0, 0, nullptr), 1);
        plugin.suspend();
    }
}

// Controller i moves parameter i % 13. In pass w the thirteen controllers of
// window w carry the block's latest position and a value of 100 + parameter,
// every other controller an earlier position and the parameter's own number,
// so a parameter ends at 100 + its number only if that one controller
// arrived. Each controller stands in one window; unreadable sysex events in
// between move where the plug-in's list boundaries fall.
TEST_F (EventLists, AListLongerThanTheScreenedListDeliversEveryController)
{
    constexpr int numControllers = numBound * (2 * vst2entry::screenedListCapacity / numBound + 2);
    static_assert (numControllers > 2 * vst2entry::screenedListCapacity);

    rawhost::RawPlugin plugin (ONDREL_PLUGIN_FILE);
    ASSERT_TRUE (plugin.isOpen()) << plugin.getError();
    plugin.resume (44100.0, block);

    for (int window = 0; window < numControllers / numBound; ++window)
    {
        SCOPED_TRACE ("window " + std::to_string (window));
        std::vector<HostEvent> events;

        for (int i = 0; i < numControllers; ++i)
        {
            const int p = i % numBound;
            const bool decisive = i / numBound == window;
            events.push_back (cc (firstController + p, decisive ? 100 + p : p, decisive ? block - 1 : i % 400));

            if (i % 3 == 2)
                events.push_back (sysex ("", 0));
        }

        for (int p = 0; p < numBound; ++p)
            plugin.setParameter (p, 0.0f);

        GuardedMemory memory;
        sendBlock (plugin, guardedList (memory, events));

        for (int p = 0; p < numBound; ++p)
            EXPECT_NEAR (plugin.getParameter (p), normalised (100 + p), 1.0e-5) << "parameter " << p;
    }

    plugin.suspend();
}

} // namespace ondrel::hosttests
