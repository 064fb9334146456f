#include "LookTestSupport.h"

#include "lookandfeel/OndrelLooks.h"

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
    const char* const robotoBold = "Roboto / Bold";
    const struct { const char* name; int style; const char* face; } cases[] = {
        { "Robot Bold", 0, robotoBold },                  { "Robot Medium", 0, "Roboto / Medium" },
        { "Robot Regular", 0, "Roboto / Regular" },       { "Robot Bold Italic", 0, "Roboto / Bold Italic" },
        { "DSEG7ClassicMini Regular", 0, "DSEG7 Classic / Bold" },
        { "DSEG14ClassicMini Regular", 0, "DSEG14 Classic Mini / Regular" },
        { "Distant Galaxy", 0, "Distant Galaxy Stand-in / Regular" }, { "Nevis", 0, "Nevis Stand-in / Bold" },
        { "Arrows", 0, "Arrows Stand-in / Regular" },     { "Arrows2", 0, "Arrow 7 Stand-in / Regular" },
        { "Arrows3", 0, "Arrow Symbols 1 Stand-in / Regular" }, { "Gloria", 0, "Gloria Hallelujah / Regular" },
        // Only the name chooses the face, not the style flags.
        { "Robot Medium", juce::Font::bold, "Roboto / Medium" },
        { "Robot Medium", juce::Font::italic, "Roboto / Medium" },
        { "Robot Regular", juce::Font::bold | juce::Font::italic, "Roboto / Regular" },
        // Comparison is exact; the framework's default faces are not embedded.
        { "robot medium", 0, robotoBold },  { "Robot  Medium", 0, robotoBold }, { "Robot Medium ", 0, robotoBold },
        { "arrows2", 0, robotoBold },       { "Robot Black", 0, robotoBold },   { "Montserrat Regular", 0, robotoBold },
        { "Montserrat Bold", 0, robotoBold }, { "", 0, robotoBold },            { "<Sans-Serif>", 0, robotoBold },
        { "<Serif>", 0, robotoBold },       { "<Monospaced>", 0, robotoBold },
    };
    Tamberlo_CLAF_Common look;
    for (auto& c : cases)
    {
        auto face = look.getTypefaceForFont (juce::Font (c.name, 12.0f, c.style));
        ASSERT_NE (face, nullptr) << c.name;
        EXPECT_EQ (face->getName() + " / " + face->getStyle(), c.face) << "\"" << c.name << "\" " << c.style;
    }
}

// The preset arrows of the header are "R" (previous) and "Q" (next) in the
// "Arrows" face: their ink must point left and right.
TEST (FontLookup, ArrowsFaceDrawsRAsLeftArrowAndQAsRightArrow)
{
    Tamberlo_CLAF_Common look;
    auto face = look.getTypefaceForFont (juce::Font ("Arrows", 10.0f, 0));
    for (auto [character, pointsLeft] : { std::pair { "R", true }, std::pair { "Q", false } })
    {
        juce::GlyphArrangement glyphs;
        glyphs.addLineOfText (juce::Font (face), character, 0.0f, 0.0f);
        juce::Path outline;
        glyphs.createPath (outline);
        const auto b = outline.getBounds();
        // The tip: ink at the middle of its side but not at that side's top;
        // the other side is the arrow's full height.
        const auto tipX = pointsLeft ? b.getX() + 0.03f * b.getWidth() : b.getRight() - 0.03f * b.getWidth();
        const auto backX = pointsLeft ? b.getRight() - 0.03f * b.getWidth() : b.getX() + 0.03f * b.getWidth();
        EXPECT_TRUE (outline.contains (tipX, b.getCentreY()) && ! outline.contains (tipX, b.getY() + 1)) << character;
        EXPECT_TRUE (outline.contains (backX, b.getY() + 0.1f * b.getHeight())) << character;
    }
}

// Every colour ID the framework defines lies in 0x1000000..0x10fffff.
template <typename... Looks>
void expectColoursOfV3()
{
    juce::LookAndFeel_V3 v3;
    auto differences = [&v3] (juce::LookAndFeel&& look) {
        int n = 0;
        for (int id = 0x1000000; id < 0x1100000; ++id)
            n += look.isColourSpecified (id) != v3.isColourSpecified (id)
                 || (v3.isColourSpecified (id) && look.findColour (id) != v3.findColour (id));
        return n;
    };
    // One count per look, in the order given.
    EXPECT_EQ (std::vector<int> { differences (Looks())... }, std::vector<int> (sizeof...(Looks), 0));
}

TEST (FontLookup, FreshLooksAnswerEveryColourAsTheV3Look)
{
    expectColoursOfV3<Tamberlo_CLAF_Common, Tamberlo_CLAF_Knob4, Sorrendi_CLAF_Knob1_Bipolar, Ondrel_CLAF_EnvSlider,
                      KesCLAF_RndRstButton, Ondrel_CLAF_BypassButton, Ondrel_CLAF_MenuButton, Ondrel_CLAF_ComboBox,
                      Ondrel_CLAF_LogoLabel, Ondrel_CLAF_PanelLabel, KesCLAF_PresetNameLabel>();
}
} // namespace
