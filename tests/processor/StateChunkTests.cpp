#include "TestSupport.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace ondrel_test;

namespace
{
using Attributes = std::vector<std::pair<std::string, std::string>>;

// The default state's attribute texts, in their order.
const Attributes kDefaultAttributes {
    { "pluginVersion", "2" },
    { "presetName", "Preset" },
    { "lastPresetFolderPath", "" },
    { "phaser_depth", "0.5" },
    { "phaser_rate", "0.30000001192092895508" },
    { "phaser_fb", "0" },
    { "phaser_width", "0.5" },
    { "filter_hp", "0" },
    { "filter_lp", "1" },
    { "lfo_wave", "0.20000000298023223877" },
    { "lfo_smooth", "0" },
    { "output_in", "0.5" },
    { "output_out", "0.5" },
    { "output_drywet", "0.5" },
    { "env_todepth", "0.5" },
    { "env_torate", "0.5" },
    { "bypass", "0" },
};

// The single-line element form: tag, then name="value" pairs, then "/>".
std::string elementText (const std::string& tag, const Attributes& attributes)
{
    std::string text = "<" + tag;

    for (const auto& [name, value] : attributes)
        text += " " + name + "=\"" + value + "\"";

    return text + "/>";
}

// A valid element that differs from the defaults everywhere.
Attributes otherAttributes()
{
    Attributes a = kDefaultAttributes;
    a[1].second = "Other";
    a[2].second = "/presets/other";

    for (size_t i = 3; i < a.size(); ++i)
        a[i].second = "0." + std::to_string (i + 10);

    return a;
}

std::string formatted (double value)
{
    char text[64];
    std::snprintf (text, sizeof (text), "%.20g", value);
    return text;
}

void setState (OndrelAudioProcessor& p, const void* data, size_t size)
{
    p.setStateInformation (data, (int) size);
}

void setState (OndrelAudioProcessor& p, const juce::MemoryBlock& chunk) { setState (p, chunk.getData(), chunk.getSize()); }

void setState (OndrelAudioProcessor& p, const std::string& text) { setState (p, makeChunk (text)); }

// Puts the processor into a state no chunk of these tests carries.
void makeDistinct (OndrelAudioProcessor& p, juce::Random& random, int tag)
{
    for (const char* id : kParameterIDs)
        setNormalised (p, id, random.nextFloat());

    p.presetName = "before " + juce::String (tag);
    p.lastPresetFolderPath = "/before/" + juce::String (tag);
}

// What a chunk must do. A text the framework cannot decode as UTF-8 is not
// XML and must be ignored (its XML parser reads past the end of such text).
// Other non-ASCII text may be rejected by a stricter check or applied.
struct Reference
{
    enum class Verdict { ignore, apply, ignoreOrApply } verdict = Verdict::ignore;
    ProcessorState state {};
};

Reference referenceApply (OndrelAudioProcessor& p, const void* data, size_t size)
{
    if (size <= 8)
        return {};

    const auto* bytes = static_cast<const juce::uint8*> (data);
    const auto word = [bytes] (size_t at) {
        return (juce::uint32) bytes[at] | (juce::uint32) bytes[at + 1] << 8 | (juce::uint32) bytes[at + 2] << 16
               | (juce::uint32) bytes[at + 3] << 24;
    };

    const auto length = (juce::int32) word (4);

    if (word (0) != 0x21324356 || length <= 0)
        return {};

    std::string text (reinterpret_cast<const char*> (bytes) + 8, std::min (size - 8, (size_t) length));
    text.resize (std::strlen (text.c_str()));

    if (! juce::CharPointer_UTF8::isValidString (text.data(), (int) text.size()))
        return {};

    const auto xml = juce::parseXML (juce::String::fromUTF8 (text.data(), (int) text.size()));

    if (xml == nullptr || ! xml->hasTagName ("ONDREL2"))
        return {};

    Reference r;
    const bool ascii = std::all_of (text.begin(), text.end(), [] (char c) { return (unsigned char) c < 0x80; });
    r.verdict = ascii ? Reference::Verdict::apply : Reference::Verdict::ignoreOrApply;
    r.state.presetName = xml->getStringAttribute ("presetName");
    r.state.lastFolder = xml->getStringAttribute ("lastPresetFolderPath");

    for (int i = 0; i < kNumParameters; ++i)
    {
        const char* id = kParameterIDs[(size_t) i];
        double v = xml->getDoubleAttribute (id, 0.0);
        auto& param = parameter (p, id);
        r.state.values[(size_t) i] = param.convertTo0to1 (param.convertFrom0to1 (std::isfinite (v) ? (float) v : 0.0f));
    }

    return r;
}

// Whether a chunk with this reference left the state as it must.
bool followsReference (const Reference& r, const ProcessorState& before, const ProcessorState& after)
{
    switch (r.verdict)
    {
        case Reference::Verdict::ignore: return after == before;
        case Reference::Verdict::apply: return after == r.state;
        case Reference::Verdict::ignoreOrApply: return after == before || after.values == r.state.values;
    }

    return false;
}

bool valuesInRange (const ProcessorState& s)
{
    for (float v : s.values)
        if (! (v >= 0.0f && v <= 1.0f))
            return false;

    return true;
}

class StateChunk : public ProcessorTest
{
protected:
    OndrelAudioProcessor p;

    // Checks that a chunk leaves state and sound path exactly as they were.
    void expectIgnored (const void* data, size_t size, const std::string& what)
    {
        juce::Random random (7);
        makeDistinct (p, random, 1);
        const auto state = captureState (p);
        const auto dsp = captureDsp (p);

        setState (p, data, size);

        EXPECT_TRUE (captureState (p) == state) << what;
        EXPECT_TRUE (sameBits (captureDsp (p), dsp)) << what;
    }

    void expectIgnored (const juce::MemoryBlock& chunk, const std::string& what)
    {
        expectIgnored (chunk.getData(), chunk.getSize(), what);
    }
};
} // namespace

TEST_F (StateChunk, DefaultStateIsTheExact346Bytes)
{
    const auto text = elementText ("ONDREL2", kDefaultAttributes);
    ASSERT_EQ (text.size(), 337u);

    // What the block held before is replaced.
    juce::MemoryBlock chunk (1000, true);
    chunk.fillWith (0xaa);
    p.getStateInformation (chunk);

    ASSERT_EQ (chunk.getSize(), 346u);
    const auto* b = static_cast<const juce::uint8*> (chunk.getData());

    EXPECT_EQ (std::vector<int> (b, b + 8), (std::vector<int> { 0x56, 0x43, 0x32, 0x21, 0x51, 0x01, 0x00, 0x00 }));
    EXPECT_EQ (std::string (reinterpret_cast<const char*> (b) + 8, 337), text);
    EXPECT_EQ (b[345], 0);
}

TEST_F (StateChunk, NumbersCarryTwentySignificantDigits)
{
    const float values[] = { 1e-5f, 0.123456789f, 1.0f / 3.0f, 0.99999994f, 0.7f, 2e-7f, 0.5f };

    for (size_t i = 0; i < std::size (values); ++i)
        setNormalised (p, kParameterIDs[i], values[i]);

    const auto chunk = chunkOf (p);
    const auto xml = juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8));
    ASSERT_NE (xml, nullptr);

    EXPECT_EQ (xml->getStringAttribute ("phaser_depth"), "9.9999997473787516356e-06");

    for (const char* id : kParameterIDs)
        EXPECT_EQ (xml->getStringAttribute (id).toStdString(), formatted ((double) normalised (p, id))) << id;
}

TEST_F (StateChunk, RoundTripRestoresValuesNameAndFolder)
{
    juce::Random random (3);

    for (int k = 0; k < 5; ++k)
    {
        OndrelAudioProcessor source;
        makeDistinct (source, random, k);
        source.presetName = "Mix \"A\" <B> & 'C' \xc3\xbc " + juce::String (k);
        source.lastPresetFolderPath = "/tmp/Ordner mit \xc3\xbc/x&y " + juce::String (k);

        const auto chunk = chunkOf (source);
        setState (p, chunk);

        EXPECT_TRUE (captureState (p) == captureState (source)) << k;
        EXPECT_TRUE (sameBits (captureDsp (p), captureDsp (source))) << k;
    }

    // Getting a chunk, changing everything and setting the chunk back.
    const auto saved = captureState (p);
    const auto chunk = chunkOf (p);
    makeDistinct (p, random, 99);
    setState (p, chunk);
    EXPECT_TRUE (captureState (p) == saved);
}

TEST_F (StateChunk, TagMatchesIgnoringCase)
{
    for (const char* tag : { "ONDREL2", "ondrel2", "Ondrel2", "oNdReL2" })
    {
        juce::Random random (5);
        makeDistinct (p, random, 2);
        setState (p, elementText (tag, otherAttributes()));
        EXPECT_EQ (p.presetName.toString(), "Other") << tag;
        EXPECT_EQ (normalised (p, "phaser_depth"), 0.13f) << tag;
    }

    for (const char* tag : { "ONDREL", "ONDREL22", "ONDREL_2", "xONDREL2", "ONDREL_MIDITABLE" })
        expectIgnored (makeChunk (elementText (tag, otherAttributes())), tag);
}

TEST_F (StateChunk, MalformedChunksChangeNothing)
{
    const auto valid = makeChunk (elementText ("ONDREL2", otherAttributes()));
    const auto* bytes = static_cast<const char*> (valid.getData());

    expectIgnored (nullptr, 0, "no data");

    for (size_t size = 1; size <= 8; ++size)
        expectIgnored (bytes, size, "short chunk of " + std::to_string (size));

    for (int at = 0; at < 4; ++at)
    {
        auto wrongMagic = valid;
        wrongMagic[at] = (char) (wrongMagic[at] ^ 0x20);
        expectIgnored (wrongMagic, "magic byte " + std::to_string (at));
    }

    for (int length : { 0, -1, -337, INT_MIN })
    {
        auto badLength = valid;
        badLength.copyFrom (&length, 4, 4);
        expectIgnored (badLength, "length " + std::to_string (length));
    }

    for (const char* text : { "", "hello", "<ONDREL2 phaser_depth=\"0.3\">", "<ONDREL2 presetName=\"x/>",
                              "ONDREL2/>", "<?xml version=\"1.0\"?>" })
        expectIgnored (makeChunk (text), text);

    // A length that cuts the element short.
    auto cut = valid;
    const int shorter = (int) valid.getSize() - 9 - 3;
    cut.copyFrom (&shorter, 4, 4);
    expectIgnored (cut, "length inside the element");

    // A text that starts with a zero byte is empty.
    auto zeroFirst = valid;
    zeroFirst[8] = 0;
    expectIgnored (zeroFirst, "zero first byte");
}

TEST_F (StateChunk, LengthBeyondTheDataTakesTheTextUpToTheEnd)
{
    auto chunk = makeChunk (elementText ("ONDREL2", otherAttributes()));
    const int longer = (int) chunk.getSize() + 1000;
    chunk.copyFrom (&longer, 4, 4);

    setState (p, chunk);
    EXPECT_EQ (p.presetName.toString(), "Other");
    EXPECT_EQ (p.lastPresetFolderPath, "/presets/other");
}

TEST_F (StateChunk, AbsurdAttributeValuesGiveFiniteParameters)
{
    struct Case
    {
        const char* text;
        float expected; // normalised; -1 where only "finite and in range" is required
    };

    const Case cases[] = { { "nan", 0.0f }, { "NaN", 0.0f }, { "inf", 0.0f },    { "-inf", 0.0f },
                           { "-5", 0.0f },  { "abc", 0.0f }, { "", 0.0f },       { "0.25abc", 0.25f },
                           { "5", 1.0f },   { "-0", 0.0f },  { "1e999", -1.0f }, { "-1e999", 0.0f } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.text);
        Attributes attributes = kDefaultAttributes;

        for (size_t i = 3; i < attributes.size(); ++i)
            attributes[i].second = c.text;

        juce::Random random (6);
        makeDistinct (p, random, 3);
        setState (p, elementText ("ONDREL2", attributes));

        const auto state = captureState (p);
        ASSERT_TRUE (valuesInRange (state));
        EXPECT_TRUE (allFinite (captureDsp (p)));

        if (c.expected >= 0.0f)
        {
            for (float v : state.values)
                EXPECT_EQ (v, c.expected);
        }
    }
}

TEST_F (StateChunk, ElementWithOnlyTheTagSetsEverythingToItsStart)
{
    juce::Random random (8);
    makeDistinct (p, random, 4);
    setState (p, "<ONDREL2/>");

    const auto state = captureState (p);
    EXPECT_TRUE (state.presetName.isEmpty());
    EXPECT_TRUE (state.lastFolder.isEmpty());

    for (float v : state.values)
        EXPECT_EQ (v, 0.0f);

    std::array<float, kNumParameters> zeros {};
    expectDspFollows (p, zeros, 44100.0);
}

TEST_F (StateChunk, VersionOtherAttributesAndChildrenAreIgnored)
{
    auto withoutVersion = otherAttributes();
    withoutVersion.erase (withoutVersion.begin());
    setState (p, elementText ("ONDREL2", withoutVersion));
    const auto expected = captureState (p);

    auto otherVersion = otherAttributes();
    otherVersion[0].second = "7.5";
    otherVersion.insert (otherVersion.begin() + 2, { "extra", "1" });

    auto withChild = elementText ("ONDREL2", otherAttributes());
    withChild.replace (withChild.size() - 2, 2, "><child phaser_depth=\"0.9\"/>text</ONDREL2>");

    juce::Random random (9);

    for (const auto& text : { elementText ("ONDREL2", otherAttributes()), elementText ("ONDREL2", otherVersion), withChild })
    {
        makeDistinct (p, random, 6);
        setState (p, text);
        EXPECT_TRUE (captureState (p) == expected) << text;
    }
}

TEST_F (StateChunk, TextThatIsNotUtf8NeverCrashesAndAppliesFullyOrNotAtAll)
{
    for (const char* name : { "A\xff" "B", "\xc0\x80", "\x80", "end\xe2\x82", "\xed\xa0\x80", "\xf8\x88\x80\x80\x80" })
    {
        auto attributes = otherAttributes();
        attributes[1].second = name;
        const auto chunk = makeChunk (elementText ("ONDREL2", attributes));

        juce::Random random (10);
        makeDistinct (p, random, 8);
        const auto before = captureState (p);
        const auto reference = referenceApply (p, chunk.getData(), chunk.getSize());

        setState (p, chunk);
        EXPECT_TRUE (followsReference (reference, before, captureState (p))) << juce::String::toHexString (name, (int) std::strlen (name));
    }
}

TEST_F (StateChunk, FuzzedChunksApplyFullyOrChangeNothing)
{
    const std::vector<std::string> seeds { elementText ("ONDREL2", kDefaultAttributes),
                                           elementText ("ONDREL2", otherAttributes()),
                                           elementText ("ondrel2", { { "presetName", "a&amp;b&lt;" } }),
                                           "<ONDREL2/>" };
    const char* const tokens[] = { "nan", "inf", "1e999", "-5", "abc", "0.5", "", "1", "0", "-0.0", "2e-40",
                                   "0x10", "1e-3", "\xff\xfe", "&amp;", "&bogus;", "\"" };

    juce::Random random (20240601);
    int applied = 0, ignored = 0;

    for (int iteration = 0; iteration < 12000; ++iteration)
    {
        const auto& seed = seeds[(size_t) random.nextInt ((int) seeds.size())];
        std::string text = seed;
        juce::MemoryBlock chunk;
        const int kind = random.nextInt (8);

        if (kind == 0)
        {
            // Replace attribute values with odd tokens.
            for (int n = 1 + random.nextInt (3); --n >= 0;)
            {
                const auto quote = text.find ('"', (size_t) random.nextInt ((int) text.size()));

                if (quote == std::string::npos)
                    break;

                const auto close = text.find ('"', quote + 1);
                text.replace (quote + 1, close == std::string::npos ? 0 : close - quote - 1,
                              tokens[random.nextInt ((int) std::size (tokens))]);
            }

            chunk = makeChunk (text);
        }
        else if (kind == 1)
        {
            // Change the case of random characters (the tag included).
            for (auto& ch : text)
                if (random.nextInt (4) == 0)
                    ch = (char) (std::isupper ((unsigned char) ch) ? std::tolower ((unsigned char) ch)
                                                                     : std::toupper ((unsigned char) ch));

            chunk = makeChunk (text);
        }
        else if (kind == 7)
        {
            // Random bytes, half of them behind a valid magic and a plausible length.
            std::vector<char> bytes ((size_t) random.nextInt (300));

            for (auto& b : bytes)
                b = (char) random.nextInt (256);

            if (bytes.size() >= 8 && random.nextBool())
            {
                const juce::uint32 magic = 0x21324356;
                const auto length = (juce::int32) bytes.size() - 9 + random.nextInt (5) - 2;
                std::memcpy (bytes.data(), &magic, 4);
                std::memcpy (bytes.data() + 4, &length, 4);
            }

            chunk = juce::MemoryBlock (bytes.data(), bytes.size());
        }
        else
        {
            chunk = makeChunk (text);
            auto* b = static_cast<char*> (chunk.getData());
            const auto size = (int) chunk.getSize();

            if (kind == 2)
                for (int n = 1 + random.nextInt (4); --n >= 0;)
                    b[random.nextInt (size)] = (char) random.nextInt (256);
            else if (kind == 3)
                chunk.setSize ((size_t) random.nextInt (size + 1));
            else if (kind == 4)
            {
                const int length = random.nextBool() ? random.nextInt() : size - 9 + random.nextInt (21) - 10;
                chunk.copyFrom (&length, 4, 4);
            }
            else if (kind == 5)
            {
                char extra[8];

                for (auto& e : extra)
                    e = (char) random.nextInt (256);

                chunk.insert (extra, (size_t) (1 + random.nextInt (8)), (size_t) random.nextInt (size + 1));
            }
            else
            {
                const int start = random.nextInt (size);
                chunk.removeSection ((size_t) start, (size_t) random.nextInt (size - start + 1));
            }
        }

        makeDistinct (p, random, iteration);
        const auto before = captureState (p);
        const auto reference = referenceApply (p, chunk.getData(), chunk.getSize());

        setState (p, chunk);
        const auto after = captureState (p);

        ASSERT_TRUE (valuesInRange (after)) << "iteration " << iteration;
        ASSERT_TRUE (allFinite (captureDsp (p))) << "iteration " << iteration;
        ASSERT_TRUE (followsReference (reference, before, after)) << "iteration " << iteration << " kind " << kind;

        applied += reference.verdict == Reference::Verdict::apply ? 1 : 0;
        ignored += reference.verdict == Reference::Verdict::ignore ? 1 : 0;
    }

    EXPECT_GT (applied, 2000);
    EXPECT_GT (ignored, 2000);
}
