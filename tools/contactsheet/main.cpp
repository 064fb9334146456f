// ondrel-contact-sheet OUT.png: one PNG with every look in a few states, for
// people to look at. It runs with the system's font search pointed at an
// empty folder, so every letter on the sheet comes from the embedded faces;
// it fails when a system font is found or the logo shows no letters.

#include "lookandfeel/OndrelLooks.h"
#include "tests/support/MonitorWithoutDisplay.h"

#include <cstdio>
#include <cstdlib>

namespace
{
constexpr float pi = juce::MathConstants<float>::pi;
const juce::Colour light (0xffeeeeee), accent (0xfff05f40), darkAccent (0xffeb3c14), ink (0xff121212),
    dark (0xff3a3a3a);

struct Sheet
{
    Tamberlo_CLAF_Knob4 knob4;
    Sorrendi_CLAF_Knob1_Bipolar bipolar;
    Ondrel_CLAF_EnvSlider bar;
    KesCLAF_RndRstButton icons;
    Ondrel_CLAF_BypassButton bypass;
    Ondrel_CLAF_MenuButton menu;
    Ondrel_CLAF_ComboBox combo;
    Ondrel_CLAF_LogoLabel logo;
    Ondrel_CLAF_PanelLabel panel;
    KesCLAF_PresetNameLabel preset;
    juce::Image image { juce::Image::ARGB, 980, 760, true };
    juce::Graphics g { image };

    // Draws a component of w x h in the given look at (x, y).
    void place (juce::Component& c, juce::LookAndFeel& look, int x, int y, int w, int h)
    {
        c.setLookAndFeel (&look);
        c.setBounds (0, 0, w, h);
        g.drawImageAt (c.createComponentSnapshot (c.getLocalBounds()), x, y);
    }

    void band (const juce::String& title, int y, int h, juce::Colour colour)
    {
        g.setColour (colour);
        g.fillRect (0, y, image.getWidth(), h);
        g.setColour (colour == dark ? light : ink);
        g.setFont (juce::Font ("Robot Bold", 13.0f, 0));
        g.drawText (title, 8, y + 4, image.getWidth() - 16, 16, juce::Justification::left);
    }

    void slidersAndButtons()
    {
        band ("Rotary knobs: Knob4 (0, 0.5, 1; accent and dark accent), bipolar In/Out", 0, 150, light);
        band ("Bar sliders: DryWet 0, 0.57, 1; Env", 150, 90, light);
        const struct { juce::LookAndFeel* look; const char* name; double value; juce::Colour colour; const char* sfx; }
            sliders[] = { { &knob4, "Depth", 0.0, darkAccent, "" },     { &knob4, "Rate", 0.5, darkAccent, "" },
                          { &knob4, "Smooth", 1.0, accent, "" },        { &knob4, "bal", 0.3, accent, "" },
                          { &bipolar, "In", 0.5, darkAccent, "circle2" },
                          { &bipolar, "Out", 0.8, darkAccent, "circle2" },
                          { &bipolar, "Out", 0.2, darkAccent, "" },     { &bar, "DryWet", 0.0, accent, "" },
                          { &bar, "DryWet", 0.57, accent, "" },         { &bar, "DryWet", 1.0, accent, "" },
                          { &bar, "Env", 0.3, darkAccent, "" } };
        for (size_t i = 0; i < std::size (sliders); ++i)
        {
            const auto& s = sliders[i];
            const auto isBar = s.look == &bar; // the bars come after the seven knobs
            juce::Slider slider (isBar ? juce::Slider::LinearHorizontal : juce::Slider::RotaryHorizontalVerticalDrag,
                                 juce::Slider::NoTextBox);
            slider.setName (s.name);
            slider.setRotaryParameters (1.3f * pi, 2.7f * pi, true);
            slider.setColour (juce::Slider::thumbColourId, s.colour);
            slider.setColour (juce::Slider::backgroundColourId, s.colour);
            slider.setTextValueSuffix (s.sfx);
            slider.setRange (0.0, 1.0);
            slider.setValue (s.value);
            const auto x = isBar ? 10 + 240 * ((int) i - 7) : 10 + 110 * (int) i;
            place (slider, *s.look, x, isBar ? 174 : 24, isBar ? 220 : 100, isBar ? 56 : 110);
        }

        band ("Buttons: icons (undo, redo, random, reset, lock on/off, Random), bypass off/on, menu buttons", 240, 110,
              dark);
        const struct { juce::LookAndFeel* look; const char* text; bool on; int x, y, w, h; } buttons[] = {
            { &icons, "undo", false, 10, 266, 40, 30 },    { &icons, "redo", false, 60, 266, 40, 30 },
            { &icons, "random", false, 110, 266, 40, 30 }, { &icons, "reset", false, 160, 266, 40, 30 },
            { &icons, "lock", true, 210, 266, 40, 30 },    { &icons, "lock", false, 260, 266, 40, 30 },
            { &icons, "Random", false, 310, 266, 40, 30 }, { &bypass, "Bypass", false, 360, 269, 90, 24 },
            { &bypass, "Bypass", true, 460, 269, 90, 24 }, { &menu, "v2.0.0", false, 10, 312, 110, 22 },
            { &menu, "Menu", false, 130, 312, 110, 22 },   { &menu, "Init Preset", false, 250, 312, 110, 22 },
            { &menu, "R", false, 370, 312, 24, 22 },       { &menu, "Q", false, 404, 312, 24, 22 },
        };
        for (auto& b : buttons)
        {
            juce::TextButton button (b.text);
            button.setColour (juce::TextButton::textColourOnId, ink);
            button.setColour (juce::TextButton::textColourOffId, light);
            button.setToggleState (b.on, juce::dontSendNotification);
            place (button, *b.look, b.x, b.y, b.w, b.h);
        }
    }

    void menusLabelsAndAlert()
    {
        band ("Combo boxes (enabled, disabled) and popup menus: combo box, logo label, menu button looks", 350, 230,
              juce::Colour (0xffd8d8d8));
        for (bool enabled : { true, false })
        {
            juce::ComboBox box ("LFO Waveform");
            box.setColour (juce::ComboBox::backgroundColourId, accent);
            box.addItemList ({ "Sine", "Tri", "Up", "Down", "Rect", "Rnd" }, 1);
            box.setSelectedId (2, juce::dontSendNotification);
            box.setEnabled (enabled);
            place (box, combo, enabled ? 10 : 140, 376, 120, 22);
        }
        const struct { const char* text; bool separator, active, highlighted, sub; const char* shortcut; } items[] = {
            { "Load preset", false, true, false, false, "" },    { "Save preset", false, true, true, false, "Ctrl+S" },
            { "", true, true, false, false, "" },                { "Factory", false, true, false, true, "" },
            { "Inactive item", false, false, false, false, "" }, { "Forget MIDI learn", false, true, false, false, "" },
        };
        int x = 280;
        for (juce::LookAndFeel* look : std::initializer_list<juce::LookAndFeel*> { &combo, &logo, &menu })
        {
            for (auto [id, colour] : { std::pair { juce::PopupMenu::backgroundColourId, light },
                                       { juce::PopupMenu::textColourId, ink }, { juce::PopupMenu::headerTextColourId, ink },
                                       { juce::PopupMenu::highlightedBackgroundColourId, accent },
                                       { juce::PopupMenu::highlightedTextColourId, juce::Colours::white } })
                look->setColour (id, colour);
            juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (x, 376);
            look->drawPopupMenuBackground (g, 200, 190);
            look->drawPopupMenuSectionHeader (g, { 0, 4, 200, 25 }, "Presets");
            g.setOrigin (0, 29);
            for (auto& item : items)
            {
                const auto h = item.separator ? 8 : 24;
                look->drawPopupMenuItem (g, { 0, 0, 200, h }, item.separator, item.active, item.highlighted, false,
                                         item.sub, item.text, item.shortcut, nullptr, nullptr);
                g.setOrigin (0, h);
            }
            x += 230;
        }

        band ("Labels: logo, maker, panel titles, preset name; alert window", 580, 180, light);
        const struct { juce::LookAndFeel* look; const char* text; juce::Colour colour; int x, y, w, h; } labels[] = {
            { &logo, "Ondrel", ink, 10, 610, 140, 34 },     { &logo, "Kesmark", accent, 10, 650, 120, 20 },
            { &panel, "LFO", ink, 170, 612, 90, 22 },       { &panel, "FILTER", ink, 270, 612, 90, 22 },
            { &panel, "IN/OUT", ink, 370, 612, 90, 22 },    { &panel, "PHASER", ink, 470, 612, 90, 22 },
            { &preset, "Init Preset With A Rather Long Name*", light, 170, 650, 220, 22 },
        };
        g.setColour (dark); // behind the preset name
        g.fillRect (170, 650, 220, 22);
        for (auto& l : labels)
        {
            juce::Label label ({}, l.text);
            label.setColour (juce::Label::textColourId, l.colour);
            label.setBorderSize (juce::BorderSize<int> (2));
            place (label, *l.look, l.x, l.y, l.w, l.h);
        }

        juce::AlertWindow alert ("About Ondrel", "Stereo phaser, version 2.0.0", juce::MessageBoxIconType::InfoIcon);
        alert.setColour (juce::AlertWindow::backgroundColourId, juce::Colour (0xff2a2a2a));
        alert.setColour (juce::AlertWindow::textColourId, light);
        alert.setColour (juce::AlertWindow::outlineColourId, accent);
        alert.addButton ("OK", 1);
        place (alert, logo, 560, 596, 400, 150);
    }
};
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: ondrel-contact-sheet OUT.png\n");
        return 2;
    }

    const auto noFonts = juce::File::getSpecialLocation (juce::File::tempDirectory)
                             .getNonexistentChildFile ("ondrel-no-fonts", "");
    noFonts.createDirectory();
    setenv ("JUCE_FONT_PATH", noFonts.getFullPathName().toRawUTF8(), 1);
    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI gui;
        ensureMonitorWithoutDisplay();

        Sheet sheet;
        juce::LookAndFeel::setDefaultLookAndFeel (&sheet.logo); // as the program sets it
        juce::Typeface::clearTypefaceCache();
        sheet.g.fillAll (juce::Colours::white);
        sheet.slidersAndButtons();
        sheet.menusLabelsAndAlert();

        // The logo's letters are there: dark ink inside the logo label's area.
        int darkPixels = 0;
        for (int y = 610; y < 644; ++y)
            for (int x = 10; x < 150; ++x)
                darkPixels += sheet.image.getPixelAt (x, y).getBrightness() < 0.3f ? 1 : 0;

        juce::File out (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
        out.deleteFile();
        juce::FileOutputStream png (out);
        const bool written = png.openedOk() && juce::PNGImageFormat().writeImageToStream (sheet.image, png);
        if (! juce::Font::findAllTypefaceNames().isEmpty() || darkPixels < 200 || ! written)
        {
            std::fprintf (stderr, "system fonts found, no logo letters or no file\n");
            result = 1;
        }
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }
    noFonts.deleteRecursively();
    return result;
}
