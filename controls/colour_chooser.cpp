// controls/colour_chooser.cpp: the chooser's dialog over the colour dialog, its sample window,
// and the custom colours in the profile.
#include "controls/colour_chooser.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/control_factory.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/sys_metrics.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kSampleClass = "Av_Colour_Sample";
constexpr const char* kSection = "Custom Colours";

CustomColours BuiltInGreys()
{
    CustomColours greys{};
    for (int i = 0; i < 16; ++i)
        greys[std::size_t(i)] = RGB(BYTE(255 - 16 * i), BYTE(255 - 16 * i), BYTE(255 - 16 * i));
    return greys;
}

std::string KeyOf(int index)
{
    return text::Format("Custom Colour %d", index + 1);
}

/// The sample of the selected element's colour, framed.
class CColourSample final : public CWnd {
public:
    void SetColour(COLORREF colour)
    {
        m_colour = colour;
        Invalidate();
    }

protected:
    BOOL OnEraseBkgnd(CDC* dc) override
    {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, m_colour);
        CBrush frame(GetSysColor(COLOR_WINDOWFRAME));
        dc->FrameRect(&client, &frame);
        return TRUE;
    }

private:
    COLORREF m_colour = 0;
};

std::unique_ptr<CWnd> MakeSample(const DialogItemTemplate& item, const CRect& rect, CWnd& parent)
{
    auto sample = std::make_unique<CColourSample>();
    if (!sample->Create(kSampleClass, "", item.style | WS_CHILD | WS_VISIBLE, rect, &parent,
                        UINT(item.id)))
        return nullptr;
    return sample;
}

/// The chooser's dialog: the list of elements beside the picker. Every choice lands in the
/// caller's items at once.
class CColourChooserDlg final : public CColorDialog {
public:
    CColourChooserDlg(CWnd* owner, ColourItem* items, int count, IColourSink* sink,
                      bool showSaveAsDefaults, bool saveAsDefaults)
        : CColorDialog(IDD_COLOUR_CHOOSER, 0, owner), m_items(items), m_count(count), m_sink(sink),
          m_showSaveAsDefaults(showSaveAsDefaults), m_saveAsDefaults(saveAsDefaults)
    {
        MapNotify(IDC_COLOUR_ITEMS, LBN_SELCHANGE, [this] { UpdateControls(); });
        MapCommand(IDC_COLOUR_TRANSPARENT, [this] { OnTransparent(); });
        MapCommand(IDC_INSTALLATION_COLOURS, [this] { OnInstallationSettings(); });
        MapCommand(IDC_SAVE_AS_DEFAULTS,
                   [this] { m_saveAsDefaults = IsDlgButtonChecked(IDC_SAVE_AS_DEFAULTS) != 0; });
        MapCommand(IDC_COLOURS_OK, [this] { OnDone(); });
    }

    bool Succeeded() const { return m_succeeded; }
    bool SaveCustom() const { return m_saveCustom; }
    bool SaveAsDefaults() const { return m_saveAsDefaults; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnColorOK() override;

private:
    ColourItem* Selected();
    void UpdateControls();
    void ApplyToCaller();
    void OnTransparent();
    void OnInstallationSettings();
    void OnDone();

    ColourItem* m_items;
    int m_count;
    IColourSink* m_sink;
    bool m_showSaveAsDefaults;
    bool m_saveAsDefaults;
    bool m_succeeded = false;
    bool m_saveCustom = false;
};

BOOL CColourChooserDlg::OnInitDialog()
{
    const BOOL result = CColorDialog::OnInitDialog();
    if (CWnd* saveAsDefaults = GetDlgItem(IDC_SAVE_AS_DEFAULTS)) {
        saveAsDefaults->ShowWindow(m_showSaveAsDefaults ? SW_SHOW : SW_HIDE);
        CheckDlgButton(IDC_SAVE_AS_DEFAULTS, m_showSaveAsDefaults && m_saveAsDefaults);
    }
    if (auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_COLOUR_ITEMS))) {
        for (int i = 0; i < m_count; ++i)
            list->AddString(m_items[i].name ? m_items[i].name : "");
        list->SetCurSel(0);
    }
    CheckDlgButton(IDC_SAVE_CUSTOM_COLOURS, BST_CHECKED);
    UpdateControls();
    return result;
}

ColourItem* CColourChooserDlg::Selected()
{
    const auto* list = dynamic_cast<CListBox*>(GetDlgItem(IDC_COLOUR_ITEMS));
    const int index = list ? list->GetCurSel() : -1;
    return index >= 0 && index < m_count ? &m_items[index] : nullptr;
}

void CColourChooserDlg::UpdateControls()
{
    const ColourItem* item = Selected();
    if (!item)
        return;
    SetCurrentColor(item->colour);
    if (auto* sample = dynamic_cast<CColourSample*>(GetDlgItem(IDC_COLOUR_SAMPLE)))
        sample->SetColour(item->transparent ? GetSysColor(COLOR_3DFACE) : item->colour);
    CheckDlgButton(IDC_COLOUR_TRANSPARENT, item->transparent ? BST_CHECKED : BST_UNCHECKED);
    if (CWnd* label = GetDlgItem(IDC_COLOUR_LABEL))
        label->EnableWindow(!item->transparent);
    if (CWnd* transparent = GetDlgItem(IDC_COLOUR_TRANSPARENT))
        transparent->EnableWindow(item->mayBeTransparent);
}

void CColourChooserDlg::ApplyToCaller()
{
    if (m_sink)
        m_sink->Apply(m_items, m_count);
}

BOOL CColourChooserDlg::OnColorOK()
{
    if (ColourItem* item = Selected()) {
        // Every colour of the 24-bit display is solid, so a solid-only element takes the
        // chosen colour as it is.
        item->colour = GetColor();
        item->transparent = false;
        UpdateControls();
        ApplyToCaller();
    }
    return TRUE;
}

void CColourChooserDlg::OnTransparent()
{
    ColourItem* item = Selected();
    if (!item)
        return;
    item->transparent = IsDlgButtonChecked(IDC_COLOUR_TRANSPARENT) != 0;
    UpdateControls();
    ApplyToCaller();
}

void CColourChooserDlg::OnInstallationSettings()
{
    if (!m_sink)
        return;
    m_sink->ResetToInstallationSettings(m_items, m_count);
    UpdateControls();
    ApplyToCaller();
}

void CColourChooserDlg::OnDone()
{
    m_succeeded = true;
    m_saveCustom = IsDlgButtonChecked(IDC_SAVE_CUSTOM_COLOURS) != 0;
    EndDialog(IDOK);
}

bool SameLook(const ColourItem& a, const ColourItem& b)
{
    return a.colour == b.colour && a.transparent == b.transparent;
}

} // namespace

CustomColours& GetCustomColours()
{
    static CustomColours colours = BuiltInGreys();
    return colours;
}

BOOL InitColourChooser()
{
    RegisterControlClass(kSampleClass, MakeSample);
    CWinApp* app = AfxGetApp();
    if (!app)
        return TRUE;
    CustomColours& colours = GetCustomColours();
    for (int i = 0; i < 16; ++i) {
        const std::string value = app->GetProfileString(kSection, KeyOf(i).c_str());
        if (!value.empty())
            colours[std::size_t(i)] = ParseRgbString(value.c_str(), RGB(0, 0, 0));
    }
    return TRUE;
}

void SaveCustomColours()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    const CustomColours& colours = GetCustomColours();
    for (int i = 0; i < 16; ++i) {
        const COLORREF colour = colours[std::size_t(i)];
        const std::string value =
            text::Format("%u,%u,%u", unsigned(GetRValue(colour)), unsigned(GetGValue(colour)),
                         unsigned(GetBValue(colour)));
        app->WriteProfileString(kSection, KeyOf(i).c_str(), value.c_str());
    }
}

COLORREF ParseRgbString(const char* text, COLORREF defaultColour)
{
    if (!text)
        return defaultColour;
    BYTE channels[3] = {0, 0, 0};
    const char* cursor = text;
    for (int i = 0; i < 3; ++i) {
        const long value = std::strtol(cursor, nullptr, 10);
        channels[i] = BYTE(value < 0 ? 0 : value > 255 ? 255 : value);
        if (i == 2)
            break;
        cursor = std::strchr(cursor, ',');
        if (!cursor)
            return defaultColour;
        ++cursor;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

BOOL ChooseColours(CWnd* owner, ColourItem* items, int count, IColourSink* sink,
                   bool showSaveAsDefaults, bool* saveAsDefaults)
{
    if (!items || count < 1)
        return FALSE;
    const std::vector<ColourItem> backup(items, items + count);
    CustomColours& custom = GetCustomColours();
    const CustomColours saved = custom;

    CColourChooserDlg dialog(owner, items, count, sink, showSaveAsDefaults,
                             saveAsDefaults && *saveAsDefaults);
    dialog.SetCustomColours(&custom);
    dialog.DoModal();

    if (dialog.Succeeded()) {
        if (dialog.SaveCustom())
            SaveCustomColours();
        else
            custom = saved;
        if (saveAsDefaults)
            *saveAsDefaults = dialog.SaveAsDefaults();
        return TRUE;
    }
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        changed = changed || !SameLook(items[i], backup[std::size_t(i)]);
        items[i] = backup[std::size_t(i)];
    }
    if (changed && sink)
        sink->Apply(items, count);
    custom = saved;
    return FALSE;
}
