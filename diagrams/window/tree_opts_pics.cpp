// diagrams/window/tree_opts_pics.cpp: the Pictures page.
#include "diagrams/window/tree_opts_pics.h"

#include "diagrams/diagram_settings.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kPictureChoices[] = {"None", "1st", "2nd", "3rd", "4th", "5th",
                                           "6th",  "7th", "8th", "9th", "10th"};
constexpr int kWithinText = 2;

} // namespace

int PictureIndexOfText(const std::string& shown)
{
    if (text::CompareNoCase(text::Trim(shown), "None") == 0)
        return 0;
    return int(std::clamp<long>(text::ParseLeadingInt(shown), 0, INT_MAX));
}

CTreePagePics::CTreePagePics(CTreeOptsDlg& sheet)
    : CTreeOptsPage(kTemplate, sheet, {kSectionPictures})
{
}

BOOL CTreePagePics::OnInitDialog()
{
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kPreferredId)))
        for (const char* choice : kPictureChoices)
            combo->AddString(choice);
    CTreeOptsPage::OnInitDialog();
    EnableHeight();
    return TRUE;
}

void CTreePagePics::DoDataExchange(CDataExchange& dx)
{
    CDiagramSettings& s = Working();
    const bool saving = dx.m_bSaveAndValidate;
    std::string preferred = s.m_pictureIndex >= 0 && s.m_pictureIndex <= 10
                                ? kPictureChoices[s.m_pictureIndex]
                                : std::to_string(s.m_pictureIndex);
    dx.ComboText(kPreferredId, preferred);
    if (saving)
        s.m_pictureIndex = PictureIndexOfText(preferred);
    dx.Radio(kLeftId, s.m_pictureLayout);
    s.m_pictureLayout = std::max(0, s.m_pictureLayout);
    int height = s.m_useBoxHeight ? 0 : 1;
    dx.Radio(kBoxHeightId, height);
    if (saving)
        s.m_useBoxHeight = height == 0;
    ExchangeInt(dx, kHeightId, s.m_pictureHeight, 1, 500,
                s.m_pictureIndex >= 1 && !s.m_useBoxHeight);
    ExchangeBool(dx, kEnlargeId, s.m_pictureStretchToFit);
    ExchangeBool(dx, kAncestorsId, s.m_picturesForAncestors);
    ExchangeBool(dx, kDescendantsId, s.m_picturesForDescendants);
    ExchangeBool(dx, kSpousesId, s.m_picturesForSpouses);
    ExchangeBool(dx, kDuplicatesId, s.m_picturesForDuplicates);
    ExchangeBool(dx, kProxiesId, s.m_picturesForProxies);
    ExchangeBool(dx, kObjectsId, s.m_includeOleObjects);
}

BOOL CTreePagePics::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    const CDiagramSettings& s = Working();
    if (s.m_useBoxHeight && s.m_pictureLayout == kWithinText) {
        MessageBox("You can only shrink large pictures to the height of a box if you are "
                   "displaying pictures to the left or right of the text.",
                   MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return CPropertyPage::OnApply();
}

void CTreePagePics::OnControlChanged(int id, UINT code)
{
    CTreeOptsPage::OnControlChanged(id, code);
    if (code == BN_CLICKED && (id == kBoxHeightId || id == kThisHeightId))
        EnableHeight();
}

void CTreePagePics::EnableHeight()
{
    if (CWnd* edit = GetDlgItem(kHeightId))
        edit->EnableWindow(IsDlgButtonChecked(kThisHeightId) == BST_CHECKED);
}
