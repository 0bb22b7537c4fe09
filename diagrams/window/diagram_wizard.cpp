// diagrams/window/diagram_wizard.cpp: the Diagram Wizard's pages: the choice of person or
// couple and type, picking or naming the people, and the records made on Finish.
#include "diagrams/window/diagram_wizard.h"

#include "common/abort.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/name_text.h"
#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "diagrams/diagram_settings.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"

#include <utility>

namespace {

constexpr const char* kErrorText = "An error has occurred";
constexpr const char* kNotLinkedText =
    "The people you selected are not currently linked as a couple.  A new family record will be "
    "created to link them as a couple.\n\nNote: A new family record may not be what you want.  "
    "You might for example want to add one of the two as a parent to an existing family "
    "record.  In this case you should press Cancel now.  You can add parents to existing "
    "families using the Property dialog (in large mode).  See Help for more details.";
constexpr const char* kNewFamilyText =
    "A new family record will be created to link the two individuals as a couple.\n\nNote: A "
    "new family record may not be what you want.  You might for example want to add one of the "
    "two as a parent to an existing family record.  In this case you should press Cancel now.  "
    "You can add parents to existing families using the Property dialog (in large mode).  See "
    "Help for more details.";
constexpr const char* kSamePersonText =
    "The husband and the wife must be two different individuals.";

CEdit* EditOf(const CDialog& page, const DiagWizPerson& person)
{
    return dynamic_cast<CEdit*>(page.GetDlgItem(person.editId));
}

/// The name typed, trimmed at both ends.
std::string TypedName(const CDialog& page, const DiagWizPerson& person)
{
    std::string text;
    page.GetDlgItemText(person.editId, text);
    return text::Trim(text);
}

/// A record chosen, or a name typed (blanks count until Finish).
bool HasChoice(const CDialog& page, const DiagWizPerson& person)
{
    std::string text;
    return person.selected || page.GetDlgItemText(person.editId, text) > 0;
}

void StartNew(CDialog& page, DiagWizPerson& person)
{
    page.CheckRadioButton(person.newId, person.selectId, person.newId);
    if (CEdit* edit = EditOf(page, person))
        edit->SetReadOnly(FALSE);
}

/// "Select...": the record-selection dialog over the individuals; a record chosen shows in
/// the edit, read-only; a cancel goes back to "New".
void SelectPerson(CDialog& page, DiagWizPerson& person)
{
    if (person.selected)
        return;
    CRecordSelectRequest request;
    request.m_root = GetRecordTypeRoot(RECORD_LIST_INDI);
    request.m_filterFieldId = person.linkFieldId;
    CRecordNode* chosen = nullptr;
    IRelativeDialogs* dialogs = GetRelativeDialogs();
    CIndRec* individual = dialogs && request.m_root && dialogs->SelectRecord(request, chosen)
                              ? AsIndividual(chosen)
                              : nullptr;
    if (!individual) {
        StartNew(page, person);
        return;
    }
    person.selected = individual;
    std::string text;
    individual->GetText(text, 0);
    page.SetDlgItemText(person.editId, text);
    if (CEdit* edit = EditOf(page, person)) {
        edit->SetReadOnly(TRUE);
        edit->SetSel(0, -1);
    }
}

/// "New": forgets the record chosen and empties the edit for a name.
void NewPerson(CDialog& page, DiagWizPerson& person)
{
    if (!person.selected)
        return;
    person.selected = nullptr;
    page.SetDlgItemText(person.editId, "");
    StartNew(page, person);
    page.GotoDlgCtrl(page.GetDlgItem(person.editId));
}

/// Runs "New" or "Select..." when the command is one of the person's buttons.
bool PersonCommand(CDialog& page, DiagWizPerson& person, int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (id == person.selectId)
        SelectPerson(page, person);
    else if (id == person.newId)
        NewPerson(page, person);
    else
        return false;
    return true;
}

/// The name is missing: says so and puts the focus in its edit.
BOOL RefuseMissingName(CDialog& page, const DiagWizPerson& person, const char* message)
{
    MessageBox(message, MB_OK);
    page.GotoDlgCtrl(page.GetDlgItem(person.editId));
    return FALSE;
}

/// A new individual record whose NAME holds the name as typed in a name field.
CIndRec* NewNamedIndividual(const std::string& name)
{
    CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
    CDataNode* node = root ? root->CreateChild(nullptr) : nullptr;
    CIndRec* individual = node ? AsIndividual(static_cast<CRecordNode*>(node)) : nullptr;
    if (!individual)
        ThrowAbort();
    CDataNode* field = individual->FindChild(nullptr, FIELD_NAME);
    if (!field)
        field = individual->CreateChildById(FIELD_NAME);
    if (!field)
        ThrowAbort();
    SetTextValue(field, NameFromTypedText(name));
    return individual;
}

/// A new family record with the husband and the wife linked as its partners.
CFamRec* NewCouple(CIndRec* husband, CIndRec* wife)
{
    CDataNode* root = GetRecordTypeRoot(RECORD_LIST_FAM);
    CDataNode* node = root ? root->CreateChild(nullptr) : nullptr;
    CFamRec* family = node ? AsFamily(static_cast<CRecordNode*>(node)) : nullptr;
    if (!family || !family->LinkSpouse(husband, SEX_MALE) || !family->LinkSpouse(wife, SEX_FEMALE))
        ThrowAbort();
    return family;
}

} // namespace

// The first page.

CDiagWizPage1::CDiagWizPage1(CDiagWizDlg& sheet) : CPropertyPage(kTemplate), m_sheet(sheet) {}

BOOL CDiagWizPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckRadioButton(kIndividualId, kCoupleId, kIndividualId);
    CheckRadioButton(kAncestorsId, kAllRelativesId, kAncestorsId);
    return TRUE;
}

BOOL CDiagWizPage1::OnSetActive()
{
    m_sheet.SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

LRESULT CDiagWizPage1::OnWizardNext()
{
    return IsDlgButtonChecked(kCoupleId) == BST_CHECKED ? LRESULT(CDiagWizPage2b::kTemplate) : 0;
}

int CDiagWizPage1::GetDiagramType() const
{
    if (IsDlgButtonChecked(kAncestorsId) == BST_CHECKED)
        return kAncestorsDiagram;
    if (IsDlgButtonChecked(kDescendantsId) == BST_CHECKED)
        return kDescendantsDiagram;
    if (IsDlgButtonChecked(kBothId) == BST_CHECKED)
        return kAncestorsAndDescendantsDiagram;
    return kAllRelativesDiagram;
}

// One person.

CDiagWizPage2a::CDiagWizPage2a(CDiagWizDlg& sheet)
    : CPropertyPage(kTemplate), m_person{kNameId, kNewId, kSelectId, 0, nullptr}, m_sheet(sheet)
{
}

BOOL CDiagWizPage2a::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    StartNew(*this, m_person);
    return TRUE;
}

BOOL CDiagWizPage2a::OnSetActive()
{
    UpdateButtons();
    return CPropertyPage::OnSetActive();
}

void CDiagWizPage2a::UpdateButtons()
{
    m_sheet.SetWizardButtons(PSWIZB_BACK |
                             (HasChoice(*this, m_person) ? PSWIZB_FINISH : PSWIZB_DISABLEDFINISH));
}

BOOL CDiagWizPage2a::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kNameId && code == EN_CHANGE) {
        UpdateButtons();
        return TRUE;
    }
    const BOOL handled = CPropertyPage::OnCommand(wParam, lParam);
    if (PersonCommand(*this, m_person, id, code))
        UpdateButtons();
    return handled;
}

BOOL CDiagWizPage2a::OnWizardFinish()
{
    try {
        CIndRec* individual = m_person.selected;
        if (!individual) {
            const std::string name = TypedName(*this, m_person);
            if (name.empty())
                return RefuseMissingName(*this, m_person, "Name must be supplied");
            individual = NewNamedIndividual(name);
            NotifyChanges();
        }
        m_sheet.OpenDiagram(individual, nullptr);
        return TRUE;
    } catch (...) {
        MessageBox(kErrorText, MB_OK);
        return FALSE;
    }
}

// A couple.

CDiagWizPage2b::CDiagWizPage2b(CDiagWizDlg& sheet)
    : CPropertyPage(kTemplate), m_husband{kHusbandId, kHusbandNewId, kHusbandSelectId, FIELD_HUSB,
                                          nullptr},
      m_wife{kWifeId, kWifeNewId, kWifeSelectId, FIELD_WIFE, nullptr}, m_sheet(sheet)
{
}

BOOL CDiagWizPage2b::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    StartNew(*this, m_husband);
    StartNew(*this, m_wife);
    return TRUE;
}

BOOL CDiagWizPage2b::OnSetActive()
{
    UpdateButtons();
    return CPropertyPage::OnSetActive();
}

void CDiagWizPage2b::UpdateButtons()
{
    const bool both = HasChoice(*this, m_husband) && HasChoice(*this, m_wife);
    m_sheet.SetWizardButtons(PSWIZB_BACK | (both ? PSWIZB_FINISH : PSWIZB_DISABLEDFINISH));
}

BOOL CDiagWizPage2b::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if ((id == kHusbandId || id == kWifeId) && code == EN_CHANGE) {
        UpdateButtons();
        return TRUE;
    }
    const BOOL handled = CPropertyPage::OnCommand(wParam, lParam);
    if (PersonCommand(*this, m_husband, id, code) || PersonCommand(*this, m_wife, id, code))
        UpdateButtons();
    return handled;
}

LRESULT CDiagWizPage2b::OnWizardBack()
{
    return CDiagWizPage1::kTemplate;
}

CFamRec* CDiagWizPage2b::FindOrMakeFamily()
{
    for (CFamRec* family = m_husband.selected->GetNextSpouseFamily(nullptr); family;
         family = m_husband.selected->GetNextSpouseFamily(family))
        if (family->GetWife() == m_wife.selected)
            return family;
    if (MessageBox(kNotLinkedText, MB_OKCANCEL) != IDOK)
        return nullptr;
    CFamRec* family = NewCouple(m_husband.selected, m_wife.selected);
    NotifyChanges();
    return family;
}

BOOL CDiagWizPage2b::OnWizardFinish()
{
    try {
        if (m_husband.selected && m_husband.selected == m_wife.selected) {
            MessageBox(kSamePersonText, MB_OK);
            return FALSE;
        }
        if (m_husband.selected && m_wife.selected) {
            CFamRec* family = FindOrMakeFamily();
            if (!family)
                return FALSE;
            m_sheet.OpenDiagram(nullptr, family);
            return TRUE;
        }
        const std::string husbandName = TypedName(*this, m_husband);
        const std::string wifeName = TypedName(*this, m_wife);
        if (!m_husband.selected && husbandName.empty())
            return RefuseMissingName(*this, m_husband, "Husband's name must be supplied");
        if (!m_wife.selected && wifeName.empty())
            return RefuseMissingName(*this, m_wife, "Wife's name must be supplied");
        if ((m_husband.selected || m_wife.selected) &&
            MessageBox(kNewFamilyText, MB_OKCANCEL) != IDOK)
            return FALSE;
        CIndRec* husband =
            m_husband.selected ? m_husband.selected : NewNamedIndividual(husbandName);
        CIndRec* wife = m_wife.selected ? m_wife.selected : NewNamedIndividual(wifeName);
        CFamRec* family = NewCouple(husband, wife);
        NotifyChanges();
        m_sheet.OpenDiagram(nullptr, family);
        return TRUE;
    } catch (...) {
        MessageBox(kErrorText, MB_OK);
        return FALSE;
    }
}

// The sheet.

CDiagWizDlg::CDiagWizDlg(DiagramOpener opener, CWnd* parent)
    : CPropertySheet("Diagram Wizard", parent), m_page1(*this), m_page2a(*this), m_page2b(*this),
      m_opener(std::move(opener))
{
    AddPage(&m_page1);
    AddPage(&m_page2a);
    AddPage(&m_page2b);
    SetWizardMode();
}

void CDiagWizDlg::OpenDiagram(CIndRec* individual, CFamRec* family) const
{
    if (m_opener)
        m_opener(m_page1.GetDiagramType(), individual, family);
}
