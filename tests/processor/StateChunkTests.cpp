// The chunk framing and the round trip (names with markup characters, fresh
// instance) are checked through real hosts in tests/host; here: the exact
// bytes, and what any well-formed or malformed chunk must (not) do.

#include "TestSupport.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace ondrel_test;

namespace
{
const std::string kDefaultText =
    R"(<ONDREL2 pluginVersion="2" presetName="Preset" lastPresetFolderPath="" phaser_depth="0.5" )"
    R"(phaser_rate="0.30000001192092895508" phaser_fb="0" phaser_width="0.5" filter_hp="0" filter_lp="1" )"
    R"(lfo_wave="0.20000000298023223877" lfo_smooth="0" output_in="0.5" output_out="0.5" output_drywet="0.5" )"
    R"(env_todepth="0.5" env_torate="0.5" bypass="0"/>)";

// A state element with every parameter at value, or else at distinct values
// away from the defaults.
std::string element (const std::string& name = "Other", const char* value = nullptr, const std::string& tag = "ONDREL2",
                     const std::string& version = R"(pluginVersion="2")")
{
    auto text = "<" + tag + " " + version + " presetName=\"" + name + R"(" lastPresetFolderPath="/presets/other")";
    for (size_t i = 0; i < kParameterIDs.size(); ++i)
        text += " " + std::string (kParameterIDs[i]) + "=\"" + (value ? value : "0." + std::to_string (i + 13)) + "\"";
    return text + "/>";
}

enum Verdict { ignore, apply, either };

// What a chunk whose text ends in its zero byte carries, read by the
// framework's parser; a non-finite value reads as 0.
ProcessorState carried (OndrelAudioProcessor& p, const juce::MemoryBlock& chunk)
{
    const std::string text (static_cast<const char*> (chunk.getData()) + 8);
    const auto xml = juce::parseXML (juce::String::fromUTF8 (text.data(), (int) text.size()));
    ProcessorState s { {}, xml->getStringAttribute ("presetName"), xml->getStringAttribute ("lastPresetFolderPath") };
    for (size_t i = 0; i < kParameterIDs.size(); ++i)
    {
        const double v = xml->getDoubleAttribute (kParameterIDs[i], 0.0);
        auto& param = parameter (p, kParameterIDs[i]);
        s.values[i] = param.convertTo0to1 (param.convertFrom0to1 (std::isfinite (v) ? (float) v : 0.0f));
    }
    return s;
}

class StateChunk : public ProcessorTest
{
protected:
    OndrelAudioProcessor p;
    juce::Random random { 7 };

    // Sets the chunk over a state no chunk of these tests carries: values
    // finite and in range, and the verdict (the sound path unchanged when
    // ignored; non-ASCII text may be rejected by a stricter check or applied).
    void expectVerdict (const juce::MemoryBlock& chunk, const std::string& what, Verdict verdict)
    {
        for (const char* id : kParameterIDs)
            setNormalised (p, id, random.nextFloat());
        p.presetName = "before";
        p.lastPresetFolderPath = "/before";
        const auto before = captureState (p);
        const auto dspBefore = captureDsp (p);
        p.setStateInformation (chunk.getData(), (int) chunk.getSize());
        const auto after = captureState (p);

        EXPECT_TRUE (std::all_of (after.values.begin(), after.values.end(), [] (float v) { return v >= 0.0f && v <= 1.0f; })) << what;
        EXPECT_TRUE (allFinite (captureDsp (p))) << what;
        EXPECT_TRUE (verdict != ignore || (after == before && sameBits (captureDsp (p), dspBefore))) << what;
        EXPECT_TRUE (verdict != apply || after == carried (p, chunk)) << what;
        EXPECT_TRUE (verdict != either || after == before || after.values == carried (p, chunk).values) << what;
    }
};
} // namespace

TEST_F (StateChunk, DefaultStateIsTheExact346BytesAndNumbersCarryTwentyDigits)
{
    // What the block held before is replaced.
    juce::MemoryBlock chunk (1000, true);
    p.getStateInformation (chunk);
    ASSERT_EQ (chunk.getSize(), 346u);
    const auto* b = static_cast<const juce::uint8*> (chunk.getData());
    EXPECT_EQ (std::vector<int> (b, b + 8), (std::vector<int> { 0x56, 0x43, 0x32, 0x21, 0x51, 0x01, 0x00, 0x00 }));
    EXPECT_EQ (std::string (reinterpret_cast<const char*> (b) + 8, 337), kDefaultText);
    EXPECT_EQ (b[345], 0);

    setNormalised (p, "phaser_depth", 1e-5f);
    setNormalised (p, "phaser_rate", 0.7f);
    const auto xml = juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (chunkOf (p).getData()) + 8));
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getStringAttribute ("phaser_depth"), "9.9999997473787516356e-06");
    EXPECT_EQ (xml->getStringAttribute ("phaser_rate"), "0.69999998807907104492");
}

TEST_F (StateChunk, WhatIsAppliedAndWhatIsIgnoredIncludingTextThatIsNotUtf8)
{
    const auto valid = makeChunk (element());
    const auto changed = [&valid] (int at, const void* data, size_t size) {
        auto c = valid;
        c.copyFrom (data, at, size);
        return c;
    };
    const auto withLength = [&changed] (int length) { return changed (4, &length, 4); };
    const auto tagged = [] (const std::string& tag, const std::string& version = R"(pluginVersion="2")") {
        return makeChunk (element ("Other", nullptr, tag, version));
    };
    auto withChild = element();
    withChild.replace (withChild.size() - 2, 2, "><child phaser_depth=\"0.9\"/>text</ONDREL2>");

    const std::pair<juce::MemoryBlock, std::string> applied[] = {
        { tagged ("ondrel2"), "lower-case tag" }, { tagged ("oNdReL2"), "mixed-case tag" },
        { withLength ((int) valid.getSize() + 1000), "length beyond the data" }, { tagged ("ONDREL2", ""), "no version" },
        { tagged ("ONDREL2", R"(pluginVersion="7.5" extra="1")"), "other version" },
        { makeChunk (withChild), "children" }, { makeChunk ("<ONDREL2/>"), "only the tag" },
    };
    for (const auto& [chunk, what] : applied)
        expectVerdict (chunk, what, apply);

    // Everything missing reads as zero and empty, in the sound path too.
    expectDspFollows (p, {}, 44100.0);

    // Absurd values: every parameter finite and in its range.
    for (const char* text : { "nan", "NaN", "inf", "-inf", "-5", "abc", "", "-0", "5", "0.25abc", "1e999", "-1e999" })
        expectVerdict (makeChunk (element ("Preset", text)), text, apply);

    std::vector<std::pair<juce::MemoryBlock, std::string>> ignored {
        { juce::MemoryBlock(), "no data" },  { withLength (0), "length 0" }, { withLength (-1), "length -1" },
        { withLength (INT_MIN), "length INT_MIN" }, { withLength ((int) valid.getSize() - 12), "length inside the element" },
        { changed (8, "", 1), "zero first byte" },
    };
    for (size_t size = 1; size <= 8; ++size)
        ignored.push_back ({ juce::MemoryBlock (valid.getData(), size), "short chunk of " + std::to_string (size) });
    for (int at = 0; at < 4; ++at)
        ignored.push_back ({ changed (at, "x", 1), "magic byte " + std::to_string (at) });
    for (const char* text : { "", "hello", "<ONDREL2 phaser_depth=\"0.3\">", "<ONDREL2 presetName=\"x/>", "ONDREL2/>",
                              "<?xml version=\"1.0\"?>" })
        ignored.push_back ({ makeChunk (text), text });
    for (const char* tag : { "ONDREL", "ONDREL22", "ONDREL_2", "xONDREL2", "ONDREL_MIDITABLE" })
        ignored.push_back ({ tagged (tag), tag });
    for (const auto& [chunk, what] : ignored)
        expectVerdict (chunk, what, ignore);

    // Text that is not UTF-8: never a crash, and applied fully or not at all.
    // The framework's decoder must never see what it cannot decode.
    // Overlong forms too: an overlong NUL would cut the element after the name.
    for (const char* name : { "A\xff" "B", "\xc0\x80", "\xe0\x80\x80", "\xf0\x80\x80\x80", "\xc1\xbf", "\x80", "end\xe2\x82",
                              "\xed\xa0\x80", "\xf8\x88\x80\x80\x80" })
        expectVerdict (makeChunk (element (name)), juce::String::toHexString (name, (int) std::strlen (name)).toStdString(),
                       std::strcmp (name, "\xed\xa0\x80") == 0 ? either : ignore);

    // A text cut inside its start tag changes nothing, and so does a size
    // that ends the whole text there: no byte past it is read.
    const auto before = captureState (p);
    const auto whole = makeChunk (kDefaultText);
    for (size_t cut = 1; cut + 2 < kDefaultText.size(); ++cut)
    {
        const auto chunk = makeChunk (kDefaultText.substr (0, cut));
        p.setStateInformation (chunk.getData(), (int) chunk.getSize());
        p.setStateInformation (whole.getData(), 8 + (int) cut);
        ASSERT_TRUE (captureState (p) == before) << "cut at " << cut;
    }
}
