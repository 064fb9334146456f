// The editor opens at the stored window size and paints its surface: panel
// fills and bands at the layout's positions, text in the header and titles.
// ondrel-host's editor command saves the same picture of the editor alone.

#include "HostedEditor.h"

namespace ondrel::windowtests
{

namespace
{
    const juce::Colour textColour (0xff121212), accent (0xfff05f40), accentDark (0xffeb3c14);

    struct Sample { juce::Point<int> at; juce::Colour colour; const char* what; };
    struct TextArea { juce::Rectangle<int> area; juce::Colour background; const char* what; };

    // At 718 x 222, scaled for the larger size. Panel samples sit 3 px
    // inside two corners of each panel, clear of its controls.
    const Sample samples[] = {
        { { 6, 38 }, accent, "LFO panel, top left" },            { { 90, 193 }, accent, "LFO panel, bottom right" },
        { { 106, 38 }, accentDark, "PHASER panel, top left" },   { { 387, 193 }, accentDark, "PHASER panel, bottom right" },
        { { 403, 38 }, accent, "FILTER panel, top left" },       { { 537, 193 }, accent, "FILTER panel, bottom right" },
        { { 554, 38 }, accentDark, "IN/OUT panel, top left" },   { { 710, 193 }, accentDark, "IN/OUT panel, bottom right" },
        { { 96, 100 }, accent, "band between LFO and PHASER" },   { { 393, 100 }, accentDark, "dark band right of PHASER" },
        { { 397, 100 }, accent, "band left of FILTER" },          { { 544, 100 }, accent, "band right of FILTER" },
        { { 549, 100 }, accentDark, "dark band left of IN/OUT" }, { { 140, 20 }, textColour, "header" },
        { { 300, 212 }, textColour, "footer" },
    };

    const TextArea textAreas[] = {
        { { 6, 6, 90, 23 }, textColour, "logo" },
        { { 3 + 10, 35 + 11, 71, 24 }, accent, "LFO title" },
        { { 103 + 43, 35 + 11, 202, 24 }, accentDark, "PHASER title" },
        { { 400 + 16, 35 + 11, 109, 24 }, accent, "FILTER title" },
        { { 551 + 19, 35 + 11, 125, 24 }, accentDark, "IN/OUT title" },
    };

    // What the picture of the editor at `origin` gets wrong first; empty when nothing.
    juce::String firstFault (const juce::Image& shot, juce::Point<int> origin, int scale)
    {
        for (const auto& s : samples)
            if (const auto p = origin + s.at * scale; shot.getPixelAt (p.x, p.y) != s.colour)
                return juce::String (s.what) + " is " + shot.getPixelAt (p.x, p.y).toDisplayString (true);

        for (const auto& t : textAreas)
            if (pixelsDifferingFrom (shot, (t.area * scale) + origin, t.background) <= 20 * scale * scale)
                return juce::String ("no text drawn in the ") + t.what;

        return {};
    }
}

class WindowPaint : public ::testing::TestWithParam<int> {};

TEST_P (WindowPaint, OpensAtTheStoredSizeWithPanelsBandsAndTextInPlace)
{
    const int scale = GetParam(), width = 718 * scale, height = 222 * scale;
    const auto name = "editor-" + juce::String (width) + "x" + juce::String (height);
    HostedEditor host (width, height);
    ASSERT_TRUE (host.window().waitForEditorSize (width, height)) << host.window().editorScreenBounds().toString();
    const auto origin = host.toScreen ({});
    juce::Image shot;
    // Painting follows the window's mapping by a few host idle calls.
    waitUntil ([&] { shot = screenshot (name); return firstFault (shot, origin, scale).isEmpty(); });
    EXPECT_EQ (firstFault (shot, origin, scale), juce::String());
    host.closeEditor();

    // The tool reads the same settings file, under the same HOME, and shows on the same display.
    const auto png = juce::File (ONDREL_SCREENSHOT_DIR).getChildFile (name + "-ondrel-host.png");
    juce::String output;
    EXPECT_EQ (runProgram ({ ONDREL_HOST_TOOL, "editor", ONDREL_PLUGIN_FILE, "--screenshot", png.getFullPathName() }, output), 0);
    EXPECT_TRUE (output.contains ("editor " + juce::String (width) + " x " + juce::String (height))) << output;
    const auto picture = juce::ImageFileFormat::loadFrom (png);
    EXPECT_EQ (picture.getBounds(), juce::Rectangle<int> (width, height));
    EXPECT_EQ (pixelsDifferingBetween (picture, shot, picture.getBounds(), origin), 0) << "not the editor's pixels";
}

INSTANTIATE_TEST_SUITE_P (StoredSizes, WindowPaint, ::testing::Values (1, 2),
                          [] (const auto& p) { return "x" + std::to_string (p.param); });

} // namespace ondrel::windowtests
