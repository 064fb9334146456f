// Writes one PNG with every look in a few states, for people to look at.
// It runs with the system's font search pointed at an empty folder, so every
// letter on the sheet comes from the embedded faces.

#include "LookTestSupport.h"

#include "lookandfeel/OndrelLooks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
constexpr float pi = juce::MathConstants<float>::pi;
const juce::Colour panelLight (0xffeeeeee), accent (0xfff05f40), darkAccent (0xffeb3c14), darkText (0xff121212);

struct Sheet
{
    juce::Image image { juce::Image::ARGB, 980, 760, true };
    juce::Graphics g { image };

    void place (juce::Component& c, int x, int y)
    {
        g.drawImageAt (c.createComponentSnapshot (c.getLocalBounds()), x, y);
    }

    void caption (const juce::String& text, int x, int y, int w = 200)
    {
        g.setColour (darkText);
        g.setFont (juce::Font ("Robot Regular", 12.0f, 0));
        g.drawText (text, x, y, w, 14, juce::Justification::left);
    }

    void band (const juce::String& title, int y, int h, juce::Colour colour)
    {
        g.setColour (colour);
        g.fillRect (0, y, image.getWidth(), h);
        g.setColour (darkText);
        g.setFont (juce::Font ("Robot Bold", 13.0f, 0));
        g.drawText (title, 8, y + 4, image.getWidth() - 16, 16, juce::Justification::left);
    }
};

void drawKnobs (Sheet& s, Tamberlo_CLAF_Knob4& knobLook, Sorrendi_CLAF_Knob1_Bipolar& bipolarLook)
{
    s.band ("Rotary knobs: Knob4 (0, 0.5, 1; accent and dark accent), bipolar In/Out", 0, 150, panelLight);
    const struct { const char* name; double value; juce::Colour thumb; } knobs[] = {
        { "Depth", 0.0, darkAccent }, { "Rate", 0.5, darkAccent }, { "Smooth", 1.0, accent }, { "bal", 0.3, accent }
    };
    int x = 10;
    for (auto& k : knobs)
    {
        juce::Slider slider (k.name);
        slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setRotaryParameters (1.3f * pi, 2.7f * pi, true);
        slider.setColour (juce::Slider::thumbColourId, k.thumb);
        slider.setLookAndFeel (&knobLook);
        slider.setBounds (0, 0, 100, 110);
        slider.setValue (k.value * 10.0);
        s.place (slider, x, 24);
        x += 110;
    }
    const struct { const char* name; double value; const char* suffix; } bipolar[] = {
        { "In", 0.5, "circle2" }, { "Out", 0.8, "circle2" }, { "Out", 0.2, "" }
    };
    for (auto& k : bipolar)
    {
        juce::Slider slider (k.name);
        slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setRotaryParameters (1.3f * pi, 2.7f * pi, true);
        slider.setColour (juce::Slider::thumbColourId, darkAccent);
        slider.setTextValueSuffix (k.suffix);
        slider.setLookAndFeel (&bipolarLook);
        slider.setBounds (0, 0, 100, 110);
        slider.setValue (k.value * 10.0);
        s.place (slider, x, 24);
        x += 110;
    }
}

void drawSliders (Sheet& s, Ondrel_CLAF_EnvSlider& look)
{
    s.band ("Bar sliders: DryWet 0, 0.57, 1; Env", 150, 90, juce::Colour (0xffeeeeee));
    const struct { const char* name; double value; } sliders[] = { { "DryWet", 0.0 }, { "DryWet", 0.57 },
                                                                   { "DryWet", 1.0 }, { "Env", 0.3 } };
    int x = 10;
    for (auto& sl : sliders)
    {
        juce::Slider slider (sl.name);
        slider.setSliderStyle (juce::Slider::LinearHorizontal);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setRange (0.0, 1.0);
        slider.setColour (juce::Slider::backgroundColourId, juce::String (sl.name) == "Env" ? darkAccent : accent);
        slider.setLookAndFeel (&look);
        slider.setBounds (0, 0, 220, 56);
        slider.setValue (sl.value);
        s.place (slider, x, 174);
        x += 240;
    }
}

void drawButtons (Sheet& s, KesCLAF_RndRstButton& iconLook, Ondrel_CLAF_BypassButton& bypassLook,
                  Ondrel_CLAF_MenuButton& menuLook)
{
    s.band ("Buttons: icons (undo, redo, random, reset, lock on/off, Random), bypass off/on, menu buttons",
            240, 110, juce::Colour (0xff3a3a3a));
    int x = 10;
    for (auto text : { "undo", "redo", "random", "reset", "lock", "lock", "Random" })
    {
        juce::TextButton button (text);
        button.setLookAndFeel (&iconLook);
        button.setBounds (0, 0, 40, 30);
        button.setToggleState (x == 10 + 4 * 50, juce::dontSendNotification);
        s.place (button, x, 266);
        x += 50;
    }
    for (bool on : { false, true })
    {
        juce::TextButton button ("Bypass");
        button.setLookAndFeel (&bypassLook);
        button.setColour (juce::TextButton::textColourOnId, darkText);
        button.setColour (juce::TextButton::textColourOffId, panelLight);
        button.setToggleState (on, juce::dontSendNotification);
        button.setBounds (0, 0, 90, 24);
        s.place (button, x, 269);
        x += 100;
    }
    x = 10;
    for (auto text : { "v2.0.0", "Menu", "Init Preset", "R", "Q" })
    {
        juce::TextButton button (text);
        button.setLookAndFeel (&menuLook);
        const auto single = juce::String (text).length() == 1;
        button.setBounds (0, 0, single ? 24 : 110, 22);
        s.place (button, x, 312);
        x += single ? 34 : 120;
    }
}

void drawMenus (Sheet& s, Ondrel_CLAF_ComboBox& comboLook, Ondrel_CLAF_LogoLabel& logoLook,
                Ondrel_CLAF_MenuButton& menuLook)
{
    s.band ("Combo boxes (enabled, disabled) and popup menus: combo box, logo label, menu button looks",
            350, 230, juce::Colour (0xffd8d8d8));
    int x = 10;
    for (bool enabled : { true, false })
    {
        juce::ComboBox box ("LFO Waveform");
        box.setLookAndFeel (&comboLook);
        box.setColour (juce::ComboBox::backgroundColourId, accent);
        box.setColour (juce::ComboBox::outlineColourId, darkText);
        box.setColour (juce::ComboBox::textColourId, darkText);
        box.addItemList ({ "Sine", "Tri", "Up", "Down", "Rect", "Rnd" }, 1);
        box.setSelectedId (2, juce::dontSendNotification);
        box.setBounds (0, 0, 120, 22);
        box.setEnabled (enabled);
        s.place (box, x, 376);
        x += 130;
    }

    x = 280;
    for (Ondrel_CLAF_PopupMenuFamily* look :
         std::initializer_list<Ondrel_CLAF_PopupMenuFamily*> { &comboLook, &logoLook, &menuLook })
    {
        look->setColour (juce::PopupMenu::backgroundColourId, panelLight);
        look->setColour (juce::PopupMenu::textColourId, darkText);
        look->setColour (juce::PopupMenu::headerTextColourId, darkText);
        look->setColour (juce::PopupMenu::highlightedBackgroundColourId, accent);
        look->setColour (juce::PopupMenu::highlightedTextColourId, juce::Colours::white);

        juce::Graphics::ScopedSaveState state (s.g);
        s.g.setOrigin (x, 376);
        look->drawPopupMenuBackground (s.g, 200, 190);
        const struct { const char* text; bool separator, active, highlighted, sub; const char* shortcut; } items[] = {
            { "Load preset", false, true, false, false, "" },  { "Save preset", false, true, true, false, "Ctrl+S" },
            { "", true, true, false, false, "" },              { "Factory", false, true, false, true, "" },
            { "Inactive item", false, false, false, false, "" }, { "Forget MIDI learn", false, true, false, false, "" },
        };
        int y = 4;
        look->drawPopupMenuSectionHeader (s.g, { 0, y, 200, 25 }, "Presets");
        y += 25;
        for (auto& item : items)
        {
            const auto h = item.separator ? 8 : 24;
            juce::Graphics::ScopedSaveState itemState (s.g);
            s.g.setOrigin (0, y);
            look->drawPopupMenuItem (s.g, { 0, 0, 200, h }, item.separator, item.active, item.highlighted, false,
                                     item.sub, item.text, item.shortcut, nullptr, nullptr);
            y += h;
        }
        x += 230;
    }
}

void drawLabelsAndAlert (Sheet& s, Ondrel_CLAF_LogoLabel& logoLook, Ondrel_CLAF_PanelLabel& panelLook,
                         KesCLAF_PresetNameLabel& presetLook)
{
    s.band ("Labels: logo, maker, panel titles, preset name; alert window", 580, 180, panelLight);

    juce::Label logo ("logo", "Ondrel");
    logo.setLookAndFeel (&logoLook);
    logo.setColour (juce::Label::textColourId, darkText);
    logo.setJustificationType (juce::Justification::centredLeft);
    logo.setBounds (0, 0, 140, 34);
    s.place (logo, 10, 610);

    juce::Label maker ("maker", "Kesmark");
    maker.setLookAndFeel (&logoLook);
    maker.setColour (juce::Label::textColourId, accent);
    maker.setBounds (0, 0, 120, 20);
    s.place (maker, 10, 650);

    int x = 170;
    for (auto title : { "LFO", "FILTER", "IN/OUT", "PHASER" })
    {
        juce::Label label (title, title);
        label.setLookAndFeel (&panelLook);
        label.setBounds (0, 0, 90, 22);
        s.place (label, x, 612);
        x += 100;
    }

    juce::Label preset ("preset", "Init Preset With A Rather Long Name*");
    preset.setLookAndFeel (&presetLook);
    preset.setColour (juce::Label::textColourId, panelLight);
    preset.setBorderSize (juce::BorderSize<int> (2));
    preset.setBounds (0, 0, 220, 22);
    s.g.setColour (juce::Colour (0xff3a3a3a));
    s.g.fillRect (170, 650, 220, 22);
    s.place (preset, 170, 650);

    juce::AlertWindow alert ("About Ondrel", "Stereo phaser, version 2.0.0", juce::MessageBoxIconType::InfoIcon);
    alert.setLookAndFeel (&logoLook);
    alert.setColour (juce::AlertWindow::backgroundColourId, juce::Colour (0xff2a2a2a));
    alert.setColour (juce::AlertWindow::textColourId, panelLight);
    alert.setColour (juce::AlertWindow::outlineColourId, accent);
    alert.addButton ("OK", 1);
    alert.setSize (400, 150);
    s.place (alert, 560, 596);
}
} // namespace

TEST (ContactSheet, EveryLookInEmbeddedFacesWithoutSystemFonts)
{
    // No system font may be found: the sheet's text must come from the embedded faces.
    const auto noFonts = juce::File::getSpecialLocation (juce::File::tempDirectory)
                             .getNonexistentChildFile ("ondrel-no-fonts", "");
    ASSERT_TRUE (noFonts.createDirectory());
    setenv ("JUCE_FONT_PATH", noFonts.getFullPathName().toRawUTF8(), 1);

    juce::ScopedJuceInitialiser_GUI juce_;
    Ondrel_CLAF_LogoLabel defaultLook;
    juce::LookAndFeel::setDefaultLookAndFeel (&defaultLook);
    juce::Typeface::clearTypefaceCache();
    EXPECT_TRUE (juce::Font::findAllTypefaceNames().isEmpty());
    looktest::ensureMonitorWithoutDisplay();

    Tamberlo_CLAF_Knob4 knob;
    Sorrendi_CLAF_Knob1_Bipolar bipolar;
    Ondrel_CLAF_EnvSlider slider;
    KesCLAF_RndRstButton icons;
    Ondrel_CLAF_BypassButton bypass;
    Ondrel_CLAF_MenuButton menu;
    Ondrel_CLAF_ComboBox combo;
    Ondrel_CLAF_PanelLabel panel;
    KesCLAF_PresetNameLabel preset;
    {
        Sheet sheet;
        sheet.g.fillAll (juce::Colours::white);
        drawKnobs (sheet, knob, bipolar);
        drawSliders (sheet, slider);
        drawButtons (sheet, icons, bypass, menu);
        drawMenus (sheet, combo, defaultLook, menu);
        drawLabelsAndAlert (sheet, defaultLook, panel, preset);

        // The logo's letters are there: dark ink inside the logo label's area.
        int ink = 0;
        for (int y = 610; y < 644; ++y)
            for (int x = 10; x < 150; ++x)
                ink += sheet.image.getPixelAt (x, y).getBrightness() < 0.3f ? 1 : 0;
        EXPECT_GT (ink, 200);

        const juce::File png (ONDREL_CONTACT_SHEET_PATH);
        png.deleteFile();
        juce::FileOutputStream out (png);
        ASSERT_TRUE (out.openedOk());
        EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (sheet.image, out));
    }
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    noFonts.deleteRecursively();
}
