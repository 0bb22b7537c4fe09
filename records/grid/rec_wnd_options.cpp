// records/grid/rec_wnd_options.cpp: the Record Window options: defaults, profile load and save.
#include "records/grid/rec_wnd_options.h"

#include "database/dictionary/record_type_table.h"
#include "platform/base/app_profile.h"
#include "platform/base/text.h"
#include "platform/ui/windows/app.h"

#include <charconv>

namespace {

struct DefaultColour {
    const char* name;
    BYTE red, green, blue;
};

constexpr DefaultColour kDefaultColours[kRecWndColourCount] = {
    {"Individual - record", 0, 0, 0},
    {"Individual - tag label", 32, 72, 157},
    {"Individual - tag value", 32, 72, 157},
    {"Family - record", 0, 0, 0},
    {"Family - tag label", 128, 64, 0},
    {"Family - tag value", 128, 64, 0},
    {"Note - record", 0, 0, 0},
    {"Note - tag label", 0, 128, 0},
    {"Note - tag value", 0, 128, 0},
    {"Source - record", 0, 0, 0},
    {"Source - tag label", 249, 51, 75},
    {"Source - tag value", 249, 51, 75},
    {"Source - background", 255, 255, 191},
    {"Repository - record", 0, 0, 0},
    {"Repository - tag label", 128, 128, 0},
    {"Repository - tag value", 128, 128, 0},
    {"Submitter - record", 0, 0, 0},
    {"Submitter - tag label", 0, 0, 0},
    {"Submitter - tag value", 0, 0, 0},
    {"Submission - record", 0, 0, 0},
    {"Submission - tag label", 0, 0, 0},
    {"Submission - tag value", 0, 0, 0},
    {"Object - record", 0, 0, 0},
    {"Object - tag label", 143, 37, 131},
    {"Object - tag value", 143, 37, 131},
    {"Header - record", 0, 0, 0},
    {"Header - tag label", 0, 0, 0},
    {"Header - tag value", 0, 0, 0},
    {"Recursive Data", 153, 153, 153},
    {"Message Prompt", 153, 153, 153},
};

/// The display choices of an empty profile, in list order.
constexpr std::array<int, CRecWndOptions::kTypeCount> kDefaultChoices = {0, 2, 0, 0, 1, 1, 1, 2, 2};

/// The first colour row of each list index; the sources' rows are followed by their
/// background, so the later types stand one further on.
constexpr int kFirstColourRow[CRecWndOptions::kTypeCount] = {0, 3, 6, 9, 13, 16, 19, 22, 25};

/// "r,g,b" with three whole numbers from 0 to 255 and nothing else; false otherwise.
bool ParseColour(const std::string& text, COLORREF& colour)
{
    int parts[3] = {};
    const char* p = text.data();
    const char* end = p + text.size();
    for (int i = 0; i < 3; ++i) {
        while (p < end && *p == ' ')
            ++p;
        const auto [next, error] = std::from_chars(p, end, parts[i]);
        if (error != std::errc() || parts[i] < 0 || parts[i] > 255)
            return false;
        p = next;
        while (p < end && *p == ' ')
            ++p;
        if (i < 2) {
            if (p == end || *p != ',')
                return false;
            ++p;
        }
    }
    if (p != end)
        return false;
    colour = RGB(parts[0], parts[1], parts[2]);
    return true;
}

/// An integer key whose value lies in [0, highest]; otherwise the current value stays.
void ReadChoice(const CAppProfile& profile, const char* key, int highest, int& value)
{
    constexpr int kAbsent = -1;
    const int read = int(profile.GetProfileInt(kRecWndOptionsSection, key, kAbsent));
    if (read >= 0 && read <= highest)
        value = read;
}

} // namespace

CRecWndOptions::CRecWndOptions()
{
    SetDefaults(kAllSections);
    m_displayChoice = kDefaultChoices;
}

void CRecWndOptions::SetDefaults(int section)
{
    if (section == kAllSections || section == kColours)
        for (int i = 0; i < kRecWndColourCount; ++i) {
            const DefaultColour& d = kDefaultColours[i];
            m_colours[std::size_t(i)] = {RGB(d.red, d.green, d.blue), d.name, false, false};
        }
    if (section == kAllSections || section == kNames) {
        m_surnamesFirst = true;
        m_showPedigree = true;
    }
    if (section == kAllSections || section == kBackLinks) {
        m_showSpouse = 1;
        m_showChild = 2;
        m_showFamilyAsSpouse = 2;
        m_showFamilyAsChild = 2;
    }
}

void CRecWndOptions::Load(const CAppProfile& profile)
{
    m_loaded = true;
    int surnamesFirst = 1, showPedigree = 1;
    ReadChoice(profile, "Surnames First", 1, surnamesFirst);
    ReadChoice(profile, "Show Pedigree", 1, showPedigree);
    m_surnamesFirst = surnamesFirst != 0;
    m_showPedigree = showPedigree != 0;
    ReadChoice(profile, "Show Spouse Opt", 2, m_showSpouse);
    ReadChoice(profile, "Show Child Opt", 2, m_showChild);
    ReadChoice(profile, "Show Family As Spouse Opt", 2, m_showFamilyAsSpouse);
    ReadChoice(profile, "Show Family As Child Opt", 2, m_showFamilyAsChild);
    m_displayChoice[0] = 0;
    for (int i = 1; i < kTypeCount; ++i) {
        m_displayChoice[std::size_t(i)] = kDefaultChoices[std::size_t(i)];
        ReadChoice(profile, GetRecordTypePluralName(i).c_str(), 2, m_displayChoice[std::size_t(i)]);
    }
    for (int i = 0; i < kRecWndColourCount; ++i) {
        RecWndColour& row = m_colours[std::size_t(i)];
        const DefaultColour& d = kDefaultColours[i];
        row = {RGB(d.red, d.green, d.blue), d.name, false, false};
        const std::string text = profile.GetProfileString(kRecWndColoursSection, row.name);
        if (!text.empty())
            ParseColour(text.substr(0, 50), row.colour);
        if (row.mayBeTransparent)
            row.transparent =
                profile.GetProfileInt(kRecWndColoursSection,
                                      (std::string(row.name) + "-transparent").c_str(), 0) == 1;
    }
}

void CRecWndOptions::Save(CAppProfile& profile) const
{
    profile.WriteProfileInt(kRecWndOptionsSection, "Surnames First", m_surnamesFirst ? 1 : 0);
    profile.WriteProfileInt(kRecWndOptionsSection, "Show Pedigree", m_showPedigree ? 1 : 0);
    profile.WriteProfileInt(kRecWndOptionsSection, "Show Spouse Opt", m_showSpouse);
    profile.WriteProfileInt(kRecWndOptionsSection, "Show Child Opt", m_showChild);
    profile.WriteProfileInt(kRecWndOptionsSection, "Show Family As Spouse Opt",
                            m_showFamilyAsSpouse);
    profile.WriteProfileInt(kRecWndOptionsSection, "Show Family As Child Opt", m_showFamilyAsChild);
    for (int i = 1; i < kTypeCount; ++i)
        profile.WriteProfileInt(kRecWndOptionsSection, GetRecordTypePluralName(i).c_str(),
                                m_displayChoice[std::size_t(i)]);
    for (const RecWndColour& row : m_colours) {
        const std::string text =
            text::Format("%u,%u,%u", unsigned(GetRValue(row.colour)),
                         unsigned(GetGValue(row.colour)), unsigned(GetBValue(row.colour)));
        profile.WriteProfileString(kRecWndColoursSection, row.name, text.c_str());
        profile.WriteProfileInt(kRecWndColoursSection,
                                (std::string(row.name) + "-transparent").c_str(),
                                row.transparent ? 1 : 0);
    }
}

bool CRecWndOptions::GetTypeColours(int listIndex, COLORREF& record, COLORREF& label,
                                    COLORREF& value) const
{
    if (listIndex < 0 || listIndex >= kTypeCount)
        return false;
    const int first = kFirstColourRow[listIndex];
    record = GetColour(first);
    label = GetColour(first + 1);
    value = GetColour(first + 2);
    return true;
}

CRecWndOptions& RecWndOptions()
{
    static CRecWndOptions options;
    return options;
}

void LoadRecWndOptions()
{
    CRecWndOptions& options = RecWndOptions();
    CWinApp* app = AfxGetApp();
    if (!options.m_loaded && app)
        options.Load(app->GetProfile());
}

void SaveRecWndOptions()
{
    if (CWinApp* app = AfxGetApp())
        RecWndOptions().Save(app->GetProfile());
}
