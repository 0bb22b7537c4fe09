// records/grid/rec_wnd_options.h: the one program-wide block of Record Window options: name
// order, pedigree, back-links, which record types the records window shows, and the thirty
// colours of the record lists, with their profile sections.
#pragma once

#include "platform/base/types.h"

#include <array>

class CAppProfile;

/// One colour of the record lists; name is its profile key.
struct RecWndColour {
    COLORREF colour = 0;
    const char* name = nullptr;
    bool mayBeTransparent = false;
    bool transparent = false;
};

/// The colour rows, by index.
enum RecWndColourIndex : int {
    kColourIndividualRecord = 0,
    kColourRecursive = 28,
    kColourMessagePrompt = 29,
    kRecWndColourCount = 30,
};

/// A display choice: 0 always shown, 1 shown only when the file has a record of the type, 2
/// hidden. Back-link options: 0 shown, 1 not shown, 2 shown only when it adds information.
class CRecWndOptions {
public:
    static constexpr int kTypeCount = 9;
    /// SetDefaults's sections.
    static constexpr int kAllSections = 0, kColours = 1, kNames = 2, kBackLinks = 3;

    /// Defaults everywhere, the display choices those of an empty profile; not loaded.
    CRecWndOptions();

    void SetDefaults(int section);
    /// Reads the profile: absent keys, and values out of range or unreadable, keep the
    /// defaults. Marks the options loaded.
    void Load(const CAppProfile& profile);
    void Save(CAppProfile& profile) const;

    /// The colour of a row (kRecWndColourCount rows); the type's "record", "tag label" and "tag
    /// value" colours for list index listIndex are 3 * listIndex + 0, 1, 2, with the source
    /// background after the sources' three.
    COLORREF GetColour(int index) const { return m_colours[std::size_t(index)].colour; }
    /// The record, tag label and tag value colours of a record type's list index; false
    /// outside the nine types.
    bool GetTypeColours(int listIndex, COLORREF& record, COLORREF& label, COLORREF& value) const;

    bool m_surnamesFirst = true;
    bool m_showPedigree = true;
    std::array<int, kTypeCount> m_displayChoice{};
    std::array<RecWndColour, kRecWndColourCount> m_colours{};
    int m_showSpouse = 1;
    int m_showChild = 2;
    int m_showFamilyAsSpouse = 2;
    int m_showFamilyAsChild = 2;
    bool m_loaded = false;
};

/// The program's one options block. The first record grid loads it from the application's
/// profile (LoadRecWndOptions) when nothing has.
CRecWndOptions& RecWndOptions();
/// Loads the program's options from the application's profile, once.
void LoadRecWndOptions();
/// Writes them to the application's profile.
void SaveRecWndOptions();

inline constexpr const char* kRecWndOptionsSection = "Record Window Options";
inline constexpr const char* kRecWndColoursSection = "Record Window Colours";
