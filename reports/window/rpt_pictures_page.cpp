// reports/window/rpt_pictures_page.cpp: the Pictures page's rows per template, exchange,
// custom size checks and enabled states.
#include "reports/window/rpt_pictures_page.h"

#include "reports/rpt_gen.h"
#include "reports/window/pic_gaps_dlg.h"
#include "reports/window/rpt_page_layout_page.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/spin_button_ctrl.h"

#include <algorithm>

namespace {

/// A template's role labels (null: the row stays hidden), preference group title (null: none)
/// and whether it offers the age caption.
struct PicTemplate {
    UINT id;
    const char* roles[kRptPicRoleCount];
    const char* preference;
    bool age;
};
constexpr PicTemplate kTemplates[] = {
    {387,
     {"Individual:", "Spouse Family:", "Children:", "Spouse:"},
     "Spouse and Child Picture Options",
     true},
    {386,
     {"Parents:", "Family:", "Children:", "Children's Spouses:"},
     "Individuals Picture Options",
     true},
    {388, {"Source:", nullptr, nullptr, nullptr}, nullptr, false},
    {395, {"Root Individual:", nullptr, nullptr, "Root's Spouse(s):"}, nullptr, true},
    {397, {"Root Individual:", "Root's Parents:", nullptr, nullptr}, nullptr, true},
    {400, {"Record:", nullptr, nullptr, nullptr}, nullptr, false},
    {401, {"Individual:", nullptr, nullptr, nullptr}, nullptr, true},
};
constexpr const char* kLocations[] = {"In Rows Above Text, Left-Aligned", "Above Text Left-Aligned",
                                      "Above Text Centred", "Above Text Right-Aligned",
                                      "To the Right of the Text"};
constexpr const char* kSizes[] = {"Small", "Medium", "Large", "Custom"};

const PicTemplate* FindTemplate(UINT id)
{
    for (const PicTemplate& entry : kTemplates)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

int Row(int role, int offset)
{
    return IDC_RPP_ROW + 10 * role + offset;
}

} // namespace

UINT RptPicturesTemplate(int reportType, int recordType)
{
    switch (reportType) {
    case kRptTypeFam:
        return 386;
    case kRptTypeSrc:
        return 388;
    case kRptTypeDesc:
        return 395;
    case kRptTypeAnc:
        return 397;
    case kRptTypeList:
        return 0;
    case kRptTypeRec:
        return recordType == 0                                         ? 401
               : recordType == 1 || recordType == 3 || recordType == 7 ? 400
                                                                       : 0;
    default:
        return 387;
    }
}

RptPicProblem CheckCustomPictureSizes(const CRptPictures& pictures)
{
    for (int role = 0; role < kRptPicRoleCount; ++role) {
        const CRptPicOpts& options = pictures.m_options[std::size_t(role)];
        if (pictures.m_maxPictures[std::size_t(role)] <= 0 ||
            options.m_size != CRptPicOpts::kCustom)
            continue;
        if (options.m_height == 0 && options.m_width == 0)
            return {"You must specify height, width or both for custom picture sizes",
                    Row(role, kRppHeight)};
        if (options.m_height == 0 && options.m_position != CRptPicOpts::kRight)
            return {"You must specify the picture height when giving a custom picture size for "
                    "pictures that will be located above the text",
                    Row(role, kRppHeight)};
        if (options.m_width == 0 &&
            (options.m_position == CRptPicOpts::kRows || options.m_position == CRptPicOpts::kRight))
            return {"You must specify the picture width when giving a custom picture size for "
                    "pictures that will be located either to the right of the text, or in rows "
                    "above it",
                    Row(role, kRppWidth)};
    }
    return {};
}

BOOL CRptPicturesPage::OnInitDialog()
{
    const PicTemplate* shape = FindTemplate(GetTemplateId());
    for (int role = 0; role < kRptPicRoleCount; ++role) {
        if (auto* location = dynamic_cast<CComboBox*>(GetDlgItem(Row(role, kRppLocation))))
            for (const char* text : kLocations)
                location->AddString(text);
        if (auto* size = dynamic_cast<CComboBox*>(GetDlgItem(Row(role, kRppSize))))
            for (const char* text : kSizes)
                size->AddString(text);
        const char* label = shape ? shape->roles[role] : nullptr;
        SetDlgItemText(Row(role, kRppLabel), label ? label : "");
        for (int offset = 0; offset <= kRppSpin; ++offset)
            if (CWnd* control = GetDlgItem(Row(role, offset)))
                control->ShowWindow(label ? SW_SHOW : SW_HIDE);
    }
    const bool preference = shape && shape->preference;
    SetDlgItemText(IDC_RPP_PREF_GROUP, preference ? shape->preference : "");
    for (int id : {IDC_RPP_PREF_GROUP, IDC_RPP_PREF, IDC_RPP_PREF + 1, IDC_RPP_PREF + 2})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(preference ? SW_SHOW : SW_HIDE);
    if (CWnd* age = GetDlgItem(IDC_RPP_CAPTION + 2))
        age->ShowWindow(shape && shape->age ? SW_SHOW : SW_HIDE);
    for (int role = 0; role < kRptPicRoleCount; ++role)
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(Row(role, kRppSpin))))
            spin->SetRange32(0, kRptMaxPictures);
    const BOOL result = CRptPage::OnInitDialog();
    m_initialised = true;
    EnableControls();
    return result;
}

void CRptPicturesPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    if (!m_opts)
        return;
    CRptPictures& pictures = Copy().m_pictures;
    const PicTemplate* shape = FindTemplate(GetTemplateId());
    for (int role = 0; role < kRptPicRoleCount; ++role) {
        CRptPicOpts& options = pictures.m_options[std::size_t(role)];
        dx.Text(Row(role, kRppMax), pictures.m_maxPictures[std::size_t(role)]);
        // A row the page keeps hidden cannot be corrected, so only the shown ones are held
        // to the range.
        if (m_validate && shape && shape->roles[role])
            dx.Range(pictures.m_maxPictures[std::size_t(role)], 0, kRptMaxPictures);
        dx.ComboIndex(Row(role, kRppLocation), options.m_position);
        dx.ComboIndex(Row(role, kRppSize), options.m_size);
        const bool custom = options.m_size == CRptPicOpts::kCustom;
        if (dx.m_bSaveAndValidate) {
            if (custom) {
                std::string typed;
                GetDlgItemText(Row(role, kRppHeight), typed);
                options.m_height = ReadHundredths(typed);
                GetDlgItemText(Row(role, kRppWidth), typed);
                options.m_width = ReadHundredths(typed);
            }
        } else {
            const int height = GetPicHeight(options), width = GetPicWidth(options);
            SetDlgItemText(Row(role, kRppHeight), height == -1 ? "n/a" : FormatHundredths(height));
            SetDlgItemText(Row(role, kRppWidth), width == -1 ? "n/a" : FormatHundredths(width));
            for (int offset : {kRppHeight, kRppWidth})
                if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(Row(role, offset))))
                    edit->SetReadOnly(!custom);
        }
    }
    for (int flag = 0; flag < kRptCaptionFlagCount; ++flag) {
        BOOL value = pictures.m_captionFlags[std::size_t(flag)];
        dx.Check(IDC_RPP_CAPTION + flag, value);
        pictures.m_captionFlags[std::size_t(flag)] = value != FALSE;
    }
    if (dx.m_bSaveAndValidate) {
        pictures.m_preference = IsDlgButtonChecked(IDC_RPP_PREF)       ? 0
                                : IsDlgButtonChecked(IDC_RPP_PREF + 1) ? 1
                                                                       : 2;
        const RptPicProblem problem =
            m_validate ? CheckCustomPictureSizes(pictures) : RptPicProblem{};
        if (problem.focus) {
            MessageBox(problem.message);
            dx.PrepareCtrl(problem.focus);
            dx.Fail();
        }
    } else {
        for (int i = 0; i < 3; ++i)
            CheckDlgButton(IDC_RPP_PREF + i, 0);
        const int preference =
            pictures.m_preference >= 0 && pictures.m_preference <= 2 ? pictures.m_preference : 2;
        CheckDlgButton(IDC_RPP_PREF + preference, 1);
        if (m_initialised)
            EnableControls();
    }
}

void CRptPicturesPage::EnableControls()
{
    if (!m_initialised)
        return;
    const auto enable = [this](int id, bool state) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(state);
    };
    bool any = false;
    for (int role = 0; role < kRptPicRoleCount; ++role) {
        std::string typed;
        GetDlgItemText(Row(role, kRppMax), typed);
        const bool on = ReadHundredths(typed) >= 100;
        any = any || on;
        for (int offset : {kRppLocation, kRppSize, kRppHeight, kRppWidth})
            enable(Row(role, offset), on);
    }
    const bool captions = any && IsDlgButtonChecked(IDC_RPP_CAPTION);
    const bool title = captions && IsDlgButtonChecked(IDC_RPP_CAPTION + 3);
    for (int id : {IDC_RPP_PREF_GROUP, IDC_RPP_PREF, IDC_RPP_PREF + 1, IDC_RPP_PREF + 2,
                   IDC_RPP_GAPS, IDC_RPP_CAPTION})
        enable(id, any);
    for (int id : {IDC_RPP_CAPTION + 1, IDC_RPP_CAPTION + 2, IDC_RPP_CAPTION + 3})
        enable(id, captions);
    enable(IDC_RPP_CAPTION + 4, title);
}

void CRptPicturesPage::ExchangeQuietly()
{
    if (!m_validate)
        return;
    for (int role = 0; role < kRptPicRoleCount; ++role) {
        std::string typed;
        GetDlgItemText(Row(role, kRppMax), typed);
        long value = 0;
        if (!text::ParseInt(typed, value))
            return;
    }
    m_validate = false;
    if (UpdateData(TRUE))
        UpdateData(FALSE);
    m_validate = true;
    EnableControls();
}

BOOL CRptPicturesPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (!m_opts || !m_initialised)
        return CRptPage::OnCommand(wParam, lParam);
    if (code == BN_CLICKED && id == IDC_RPT_INSTALLATION) {
        RestoreInstalled();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_RPP_GAPS) {
        CPicGapsDlg dialog(Copy().m_pictures.m_gaps, this);
        if (dialog.DoModal() == IDOK) {
            Copy().m_pictures.m_gaps = dialog.m_gaps;
            SetModified(TRUE);
        }
        return TRUE;
    }
    const bool rowEdit =
        id >= IDC_RPP_ROW && id < IDC_RPP_ROW + 10 * kRptPicRoleCount &&
        ((id - IDC_RPP_ROW) % 10 == kRppMax || (id - IDC_RPP_ROW) % 10 == kRppHeight ||
         (id - IDC_RPP_ROW) % 10 == kRppWidth);
    if (code == CBN_SELCHANGE || (code == EN_KILLFOCUS && rowEdit))
        ExchangeQuietly();
    if ((code == EN_CHANGE && rowEdit && (id - IDC_RPP_ROW) % 10 == kRppMax) ||
        (code == BN_CLICKED && id >= IDC_RPP_CAPTION && id <= IDC_RPP_CAPTION + 4))
        EnableControls();
    return CRptPage::OnCommand(wParam, lParam);
}
