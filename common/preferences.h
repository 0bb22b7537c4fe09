// common/preferences.h: the program-wide preferences, loaded from the machine-wide registry
// key at start-up and written back as a whole whenever one changes.
#pragma once

#include "platform/base/geometry.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

/// The program's key under the machine-wide root; "Preferences" and "Beginners Help" lie below.
inline constexpr const char* kProgramKey = "Software\\Quorvane\\Ardenvel Riru 2.1\\2.1";

/// Where a toolbar was and whether it floated; indices 0 standard, 1 records window, 2 diagram,
/// 3 multimedia.
struct BarPlacement {
    CRect m_rect;
    bool m_floating = false;
};

inline constexpr int kBarCount = 4;
inline constexpr int kAutoNamedListCount = 6;

/// Sizes in which the record properties box opens.
enum PropDlgSize { kPropDlgSmall = 0, kPropDlgLarge = 1, kPropDlgFull = 2 };

/// The preference values. Each starts with its built-in value; the start-here text and the
/// automatic list names start empty and receive their defaults only from loading.
struct Preferences {
    bool m_allowNumericDates = true;
    /// 0 the locale's order, 1 mm/dd/yyyy, 2 dd/mm/yyyy, 3 yyyy/mm/dd.
    int m_numericDateFormat = 0;
    char m_numericDateSeparator = '/';
    bool m_excludeGedcomExtensions = false;
    bool m_excludeNonStdTags = false;
    bool m_autoCleanupFamilies = true;
    std::array<BarPlacement, kBarCount> m_bars{};
    int m_stdLifeInYears = 50;
    std::string m_startHereText;
    std::string m_defaultFile;
    std::string m_startupDirectory;
    std::string m_backupDirectory;
    bool m_hideSplashPanel = false;
    /// An empty name means no list.
    std::array<std::string, kAutoNamedListCount> m_autoNamedLists{};
    int m_propDlgSizeDiagram = kPropDlgLarge;
    int m_propDlgSizeDragAdd = kPropDlgSmall;
    int m_propDlgSizeDefault = kPropDlgLarge;
    bool m_enableAutosave = false;
    int m_autosaveMinutes = 5;
    bool m_backupPrompt = true;
    bool m_familiesFirst = false;
    bool m_surnamesInUpperCase = true;
    bool m_autoAddSurnames = true;
    bool m_registerForGedcom = true;
    bool m_enableBeginnersHelp = true;
    /// Show-once messages: message key to "show it again".
    std::map<std::uint32_t, bool> m_showOnce;
    /// Whether a save writes the loaded file's header record again; held only for this run.
    bool m_reoutputHeader = false;
};

/// The one set of preferences of the program's run, created on first use.
Preferences& Prefs();

/// Loads every preference from the registry; values that are missing, of another type or too
/// long take their defaults. When the key can be neither opened nor created the values in memory
/// stay as they are. Failures are silent.
void LoadPreferences();
/// Writes the show-once flags and every preference except the toolbar placements.
void SavePreferences();
/// Writes the four toolbar placements.
void SaveToolbarPlacements();
/// The placement record of a toolbar (index 0 to 3), null for any other index.
BarPlacement* GetBarPlacement(int index);
