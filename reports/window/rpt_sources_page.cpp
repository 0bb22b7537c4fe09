// reports/window/rpt_sources_page.cpp: the Sources page's exchange, the short-title pair, the
// picture boxes that follow their maxima, and the enabled states.
#include "reports/window/rpt_sources_page.h"

#include "reports/window/pic_gaps_dlg.h"
#include "reports/window/rpt_page_layout_page.h"
#include "reports/window/rpt_pictures_page.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/spin_button_ctrl.h"

namespace {

constexpr int kRepoDetails[] = {kRptRepoId,        kRptRepoMediaType, kRptRepoAddress,
                                kRptRepoTelephone, kRptRepoEmail,     kRptRepoWeb,
                                kRptRepoNotes};

bool IsLocationFlag(int flag)
{
    return flag == kRptSourcesEndEntry || flag == kRptSourcesStartNewPage;
}

} // namespace

BOOL CRptSourcesPage::OnInitDialog()
{
    for (int id : {IDC_RPS_SOURCE_SPIN, IDC_RPS_CITATION_SPIN})
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(id)))
            spin->SetRange32(0, kRptMaxPictures);
    const BOOL result = CRptPage::OnInitDialog();
    m_initialised = true;
    EnableControls();
    return result;
}

void CRptSourcesPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    if (!m_opts)
        return;
    CRptSources& sources = Copy().m_sources;
    if (!dx.m_bSaveAndValidate && sources.m_flags[kRptSourcesShortTitleIf])
        sources.m_flags[kRptSourcesShortTitle] = false;
    for (int flag = 0; flag < kRptSourceFlagCount; ++flag) {
        if (IsLocationFlag(flag))
            continue;
        BOOL value = sources.m_flags[std::size_t(flag)];
        dx.Check(IDC_RPS_FLAG + flag, value);
        sources.m_flags[std::size_t(flag)] = value != FALSE;
    }
    const bool endEntry = sources.m_flags[kRptSourcesEndEntry];
    const bool newPage = sources.m_flags[kRptSourcesStartNewPage];
    int location = endEntry && !newPage ? 0 : endEntry && newPage ? 1 : 2;
    dx.Radio(IDC_RPS_SAME_PAGE, location);
    dx.Text(IDC_RPS_SOURCE_MAX, sources.m_sourcePictures);
    dx.Range(sources.m_sourcePictures, 0, kRptMaxPictures);
    dx.Text(IDC_RPS_CITATION_MAX, sources.m_citationPictures);
    dx.Range(sources.m_citationPictures, 0, kRptMaxPictures);
    BOOL captions = sources.m_captions, titles = sources.m_pictureTitles;
    dx.Check(IDC_RPS_CAPTIONS, captions);
    dx.Check(IDC_RPS_TITLES, titles);
    if (dx.m_bSaveAndValidate) {
        std::string typed;
        GetDlgItemText(IDC_RPS_PIC_WIDTH, typed);
        sources.m_sourcePicWidth = ReadHundredths(typed);
        sources.m_flags[kRptSourcesEndEntry] = location != 2;
        sources.m_flags[kRptSourcesStartNewPage] = location != 0;
        sources.m_captions = captions != FALSE;
        sources.m_pictureTitles = titles != FALSE;
    } else {
        SetDlgItemText(IDC_RPS_PIC_WIDTH, FormatHundredths(sources.m_sourcePicWidth));
        CheckDlgButton(IDC_RPS_SOURCE_PICS, sources.m_sourcePictures >= 1);
        CheckDlgButton(IDC_RPS_CITATION_PICS, sources.m_citationPictures >= 1);
        if (m_initialised)
            EnableControls();
    }
}

void CRptSourcesPage::EnableControls()
{
    if (!m_initialised)
        return;
    const bool on = IsDlgButtonChecked(IDC_RPS_FLAG + kRptIncludeSources) != 0;
    const bool repo = on && IsDlgButtonChecked(IDC_RPS_FLAG + kRptSourcesIncRepo) != 0;
    std::string typed;
    GetDlgItemText(IDC_RPS_SOURCE_MAX, typed);
    const int sourceMax = ReadHundredths(typed) / 100;
    GetDlgItemText(IDC_RPS_CITATION_MAX, typed);
    const int citationMax = ReadHundredths(typed) / 100;
    const bool pictures = on && (sourceMax >= 1 || citationMax >= 1);
    const bool captions = pictures && IsDlgButtonChecked(IDC_RPS_CAPTIONS) != 0;
    const auto enable = [this](int id, bool state) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(state);
    };
    for (int flag = 1; flag < kRptSourceFlagCount; ++flag)
        if (!IsLocationFlag(flag))
            enable(IDC_RPS_FLAG + flag, on);
    for (int flag : kRepoDetails)
        enable(IDC_RPS_FLAG + flag, repo);
    for (int id : {IDC_RPS_SAME_PAGE, IDC_RPS_NEW_PAGE, IDC_RPS_REPORT_END, IDC_RPS_SOURCE_PICS,
                   IDC_RPS_SOURCE_MAX, IDC_RPS_SOURCE_SPIN, IDC_RPS_CITATION_PICS,
                   IDC_RPS_CITATION_MAX, IDC_RPS_CITATION_SPIN})
        enable(id, on);
    for (int id : {IDC_RPS_PIC_WIDTH, IDC_RPS_WIDTH_LABEL, IDC_RPS_GAPS, IDC_RPS_CAPTIONS})
        enable(id, pictures);
    enable(IDC_RPS_TITLES, captions);
}

BOOL CRptSourcesPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (!m_opts)
        return CRptPage::OnCommand(wParam, lParam);
    if (code == BN_CLICKED) {
        if (id == IDC_RPT_INSTALLATION) {
            RestoreInstalled();
            return TRUE;
        }
        if (id == IDC_RPS_GAPS) {
            CPicGapsDlg dialog(Copy().m_sources.m_gaps, this);
            if (dialog.DoModal() == IDOK) {
                Copy().m_sources.m_gaps = dialog.m_gaps;
                SetModified(TRUE);
            }
            return TRUE;
        }
        if (id == IDC_RPS_FLAG + kRptSourcesShortTitle &&
            IsDlgButtonChecked(IDC_RPS_FLAG + kRptSourcesShortTitle))
            CheckDlgButton(IDC_RPS_FLAG + kRptSourcesShortTitleIf, 0);
        if (id == IDC_RPS_FLAG + kRptSourcesShortTitleIf &&
            IsDlgButtonChecked(IDC_RPS_FLAG + kRptSourcesShortTitleIf))
            CheckDlgButton(IDC_RPS_FLAG + kRptSourcesShortTitle, 0);
        if (id == IDC_RPS_SOURCE_PICS)
            SetDlgItemText(IDC_RPS_SOURCE_MAX, IsDlgButtonChecked(id) ? "1" : "0");
        if (id == IDC_RPS_CITATION_PICS)
            SetDlgItemText(IDC_RPS_CITATION_MAX, IsDlgButtonChecked(id) ? "1" : "0");
        EnableControls();
        SetModified(TRUE);
    } else if (code == EN_CHANGE && (id == IDC_RPS_SOURCE_MAX || id == IDC_RPS_CITATION_MAX) &&
               m_initialised) {
        std::string typed;
        GetDlgItemText(id, typed);
        CheckDlgButton(id == IDC_RPS_SOURCE_MAX ? IDC_RPS_SOURCE_PICS : IDC_RPS_CITATION_PICS,
                       ReadHundredths(typed) >= 100);
        EnableControls();
    }
    return CRptPage::OnCommand(wParam, lParam);
}
