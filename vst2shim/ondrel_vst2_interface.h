// VST2 interface for JUCE's VST2 client and hosting code, built on Debian's
// free fst headers (GPL-3.0-or-later).
//
// fst leaves some opcodes and flags without their standard numbers (it gives
// them placeholder values above 100000, or 0 for flags), and two of its
// structs are smaller than what hosts allocate. This header fixes exactly
// those, so that JUCE listens for and sends the numbers hosts use and never
// writes past a host's struct:
//   - VstSpeakerArrangement: fixed array of 8 speakers (fst: flexible array);
//   - VstPinProperties: padded to the 128 bytes hosts allocate (fst: 80);
//   - the opcodes and pin flags listed below, with their standard values.
// It is included inside JUCE's `namespace Vst2`, so it includes nothing of
// the standard library itself. C++ only.

#ifndef ONDREL_VST2_INTERFACE_H
#define ONDREL_VST2_INTERFACE_H

// fst marks unknown names deprecated; those JUCE uses are given real values
// below, so the deprecation warnings would only be noise.
#define FST_DONT_DEPRECATE_UNKNOWN 1

#define VstSpeakerArrangement fst_VstSpeakerArrangement_flexible
#define VstPinProperties fst_VstPinProperties_short
#define effSetBypass fst_placeholder_effSetBypass
#define effGetTailSize fst_placeholder_effGetTailSize
#define effKeysRequired fst_placeholder_effKeysRequired
#define effGetNumMidiInputChannels fst_placeholder_effGetNumMidiInputChannels
#define effGetNumMidiOutputChannels fst_placeholder_effGetNumMidiOutputChannels
#define audioMasterIOChanged fst_placeholder_audioMasterIOChanged
#define audioMasterVendorSpecific fst_placeholder_audioMasterVendorSpecific
#define audioMasterUpdateDisplay fst_placeholder_audioMasterUpdateDisplay
#define kVstPinIsActive fst_placeholder_kVstPinIsActive
#define kVstPinIsStereo fst_placeholder_kVstPinIsStereo
#define kVstPinUseSpeaker fst_placeholder_kVstPinUseSpeaker

// fst's own notes to its authors (#warning) are not ours to act on.
#if defined(__GNUC__)
 #pragma GCC diagnostic push
 #pragma GCC diagnostic ignored "-Wcpp"
#endif

#include <pluginterfaces/fst/aeffect.h>

#if defined(__GNUC__)
 #pragma GCC diagnostic pop
#endif

#undef VstSpeakerArrangement
#undef VstPinProperties
#undef effSetBypass
#undef effGetTailSize
#undef effKeysRequired
#undef effGetNumMidiInputChannels
#undef effGetNumMidiOutputChannels
#undef audioMasterIOChanged
#undef audioMasterVendorSpecific
#undef audioMasterUpdateDisplay
#undef kVstPinIsActive
#undef kVstPinIsStereo
#undef kVstPinUseSpeaker

// Standard numbers of the opcodes fst leaves unnumbered, typed as fst's own
// opcode enumerations.
constexpr t_fstPluginOpcode effSetBypass = static_cast<t_fstPluginOpcode> (44);
constexpr t_fstPluginOpcode effGetTailSize = static_cast<t_fstPluginOpcode> (52);
constexpr t_fstPluginOpcode effKeysRequired = static_cast<t_fstPluginOpcode> (57);
constexpr t_fstPluginOpcode effGetNumMidiInputChannels = static_cast<t_fstPluginOpcode> (78);
constexpr t_fstPluginOpcode effGetNumMidiOutputChannels = static_cast<t_fstPluginOpcode> (79);
constexpr AudioMasterOpcodesX audioMasterIOChanged = static_cast<AudioMasterOpcodesX> (13);
constexpr AudioMasterOpcodesX audioMasterVendorSpecific = static_cast<AudioMasterOpcodesX> (35);
constexpr AudioMasterOpcodesX audioMasterUpdateDisplay = static_cast<AudioMasterOpcodesX> (42);

// Standard pin-property flags (fst: all 0).
enum
{
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,
    kVstPinUseSpeaker = 4
};

typedef struct
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
} VstSpeakerArrangement;

typedef struct
{
    char label[64];
    int flags;
    int arrangementType;
    char shortLabel[8];
    char reserved[48];
} VstPinProperties;

static_assert (effSetBypass == 44, "effSetBypass");
static_assert (effGetTailSize == 52, "effGetTailSize");
static_assert (effKeysRequired == 57, "effKeysRequired");
static_assert (effGetNumMidiInputChannels == 78, "effGetNumMidiInputChannels");
static_assert (effGetNumMidiOutputChannels == 79, "effGetNumMidiOutputChannels");
static_assert (audioMasterIOChanged == 13, "audioMasterIOChanged");
static_assert (audioMasterVendorSpecific == 35, "audioMasterVendorSpecific");
static_assert (audioMasterUpdateDisplay == 42, "audioMasterUpdateDisplay");
static_assert (kVstPinIsActive == 1 && kVstPinIsStereo == 2 && kVstPinUseSpeaker == 4, "pin flags");
static_assert (sizeof (VstPinProperties) == 128, "hosts allocate 128-byte pin properties");
static_assert (sizeof (VstSpeakerArrangement) == 8 + 8 * sizeof (VstSpeakerProperties), "eight speakers");

#endif
