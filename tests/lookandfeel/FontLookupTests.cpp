#include "LookTestSupport.h"

#include <optional>

namespace
{
// The framework's GUI side for every test of this program, with a kit look as
// the default look so that every font resolves to an embedded face.
struct KitEnvironment : ::testing::Environment
{
    std::optional<juce::ScopedJuceInitialiser_GUI> gui;
    std::optional<Tamberlo_CLAF_Common> look;

    void SetUp() override
    {
        gui.emplace();
        juce::LookAndFeel::setDefaultLookAndFeel (&look.emplace());
        juce::Typeface::clearTypefaceCache();
    }
    void TearDown() override
    {
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
        look.reset();
        gui.reset();
    }
};
[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment (new KitEnvironment);

TEST (FontLookup, ExactNamesGiveTheirOwnFaceAndAnythingElseRobotoBold)
{
    const char* const bold = "Roboto / Bold";
    // Only the name chooses the face, never the style flags; comparison is exact, and the
    // framework's default faces are not embedded.
    const struct { const char* name; int style; const char* face; } cases[] = {
        { "Robot Bold", 0, bold }, { "Robot Medium", juce::Font::bold, "Roboto / Medium" },
        { "Robot Regular", juce::Font::bold | juce::Font::italic, "Roboto / Regular" },
        { "Robot Bold Italic", 0, "Roboto / Bold Italic" }, { "DSEG7ClassicMini Regular", 0, "DSEG7 Classic / Bold" },
        { "DSEG14ClassicMini Regular", 0, "DSEG14 Classic Mini / Regular" },
        { "Distant Galaxy", 0, "Distant Galaxy Stand-in / Regular" }, { "Nevis", 0, "Nevis Stand-in / Bold" },
        { "Arrows", 0, "Arrows Stand-in / Regular" }, { "Arrows2", 0, "Arrow 7 Stand-in / Regular" },
        { "Arrows3", 0, "Arrow Symbols 1 Stand-in / Regular" }, { "Gloria", 0, "Gloria Hallelujah / Regular" },
        { "robot medium", 0, bold }, { "Robot Medium ", 0, bold }, { "arrows2", 0, bold }, { "Robot Black", 0, bold },
        { "Montserrat Regular", 0, bold }, { "", 0, bold }, { "<Sans-Serif>", 0, bold }, { "<Monospaced>", 0, bold },
    };
    Tamberlo_CLAF_Common look;
    for (auto& c : cases)
    {
        auto face = look.getTypefaceForFont (juce::Font (c.name, 12.0f, c.style));
        ASSERT_NE (face, nullptr) << c.name;
        EXPECT_EQ (face->getName() + " / " + face->getStyle(), c.face) << "\"" << c.name << "\" " << c.style;
    }
}

// The preset arrows of the header are "R" (previous) and "Q" (next) in the "Arrows" face: at 3 % of
// the width in from the tip's side there is ink at mid-height but not at the top; the other side is
// the arrow's full height.
TEST (FontLookup, ArrowsFaceDrawsRAsLeftArrowAndQAsRightArrow)
{
    Tamberlo_CLAF_Common look;
    const juce::Font arrows (look.getTypefaceForFont (juce::Font ("Arrows", 10.0f, 0)));
    for (auto [character, pointsLeft] : { std::pair { "R", true }, std::pair { "Q", false } })
    {
        juce::GlyphArrangement glyphs;
        glyphs.addLineOfText (arrows, character, 0.0f, 0.0f);
        juce::Path outline;
        glyphs.createPath (outline);
        const auto b = outline.getBounds();
        const auto left = b.getX() + 0.03f * b.getWidth(), right = b.getRight() - 0.03f * b.getWidth();
        const auto tipX = pointsLeft ? left : right, backX = pointsLeft ? right : left;
        EXPECT_TRUE (outline.contains (tipX, b.getCentreY()) && ! outline.contains (tipX, b.getY() + 1)) << character;
        EXPECT_TRUE (outline.contains (backX, b.getY() + 0.1f * b.getHeight())) << character;
    }
}

// Every colour ID the framework defines lies in 0x1000000..0x10fffff.
TEST (FontLookup, FreshLooksAnswerEveryColourAsTheV3Look)
{
    juce::LookAndFeel_V3 v3;
    auto differences = [&v3] (juce::LookAndFeel&& look) {
        int n = 0;
        for (int id = 0x1000000; id < 0x1100000; ++id)
            n += look.isColourSpecified (id) != v3.isColourSpecified (id)
                 || (v3.isColourSpecified (id) && look.findColour (id) != v3.findColour (id));
        return n;
    };
    // One count per look, in the order listed.
    const std::vector<int> counts { differences (Tamberlo_CLAF_Common()), differences (Tamberlo_CLAF_Knob4()),
                                    differences (Sorrendi_CLAF_Knob1_Bipolar()), differences (Ondrel_CLAF_EnvSlider()),
                                    differences (KesCLAF_RndRstButton()), differences (Ondrel_CLAF_BypassButton()),
                                    differences (Ondrel_CLAF_MenuButton()), differences (Ondrel_CLAF_ComboBox()),
                                    differences (Ondrel_CLAF_LogoLabel()), differences (Ondrel_CLAF_PanelLabel()),
                                    differences (KesCLAF_PresetNameLabel()) };
    EXPECT_EQ (counts, std::vector<int> (counts.size(), 0));
}
} // namespace
