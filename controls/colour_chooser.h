// controls/colour_chooser.h: colouring several named elements at once in the colour dialog,
// with each choice shown by the caller at once, Cancel putting every element back, and the
// sixteen custom colours kept in the profile.
#pragma once

#include "platform/ui/dialogs/colour_dialog.h"

class CWnd;

/// One element the user may colour; an array of them belongs to the caller.
struct ColourItem {
    /// A chosen colour becomes the nearest colour the display shows solidly.
    bool solidOnly = false;
    COLORREF colour = 0;
    /// The name shown in the list.
    const char* name = nullptr;
    /// The "Transparent" box is enabled for this element.
    bool mayBeTransparent = false;
    bool transparent = false;
};

/// The caller's side of a running chooser.
class IColourSink {
public:
    virtual ~IColourSink() = default;
    /// An element changed: repaint with the items' present colours.
    virtual void Apply(const ColourItem* items, int count) = 0;
    /// Puts the caller's built-in colours into the items.
    virtual void ResetToInstallationSettings(ColourItem* items, int count) = 0;
};

/// The dialog template of the chooser.
inline constexpr UINT IDD_COLOUR_CHOOSER = 115;
// Its controls.
inline constexpr int IDC_COLOUR_ITEMS = 729, IDC_COLOUR_LABEL = 1351, IDC_COLOUR_SAMPLE = 1349,
                     IDC_COLOUR_TRANSPARENT = 1350, IDC_SAVE_CUSTOM_COLOURS = 731,
                     IDC_INSTALLATION_COLOURS = 732, IDC_COLOURS_OK = 730,
                     IDC_SAVE_AS_DEFAULTS = 1389;

/// At start-up: makes the "Av_Colour_Sample" window class known to dialog templates and reads
/// the custom colours from the profile. Nonzero on success.
BOOL InitColourChooser();

/// Runs the chooser over count items. Each colour the user selects, and each change of
/// "Transparent" or "&Installation Settings", is assigned at once and handed to sink (which
/// may be null). Nonzero when the user closed it with "OK"; saveAsDefaults then receives the
/// state of "Save As Defaults", which shows only when showSaveAsDefaults is set and starts as
/// *saveAsDefaults (hidden, it leaves the flag as it was). On Cancel every item is put back, and
/// the sink hears of it once when any had changed. Custom colours added meanwhile stay only after
/// "OK" with "&Save Custom Colours" checked, and are then written to the profile.
BOOL ChooseColours(CWnd* owner, ColourItem* items, int count, IColourSink* sink,
                   bool showSaveAsDefaults, bool* saveAsDefaults);

/// The program-wide custom colours of the picker: sixteen greys from white down until the
/// profile or the user says otherwise.
CustomColours& GetCustomColours();
/// Writes the custom colours to the application's profile; nothing without an application.
void SaveCustomColours();
/// Three decimal numbers separated by commas (red, green, blue; each limited to 0 to 255), or
/// defaultColour when the text has fewer than two commas.
COLORREF ParseRgbString(const char* text, COLORREF defaultColour);
