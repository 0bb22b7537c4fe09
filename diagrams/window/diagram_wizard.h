// diagrams/window/diagram_wizard.h: the Diagram Wizard: whom a new diagram is about (one person
// or a couple, existing records or names for new ones) and which relatives it shows; it makes
// the records that are missing and has the diagram opened.
//
// It picks people through the database's IRelativeDialogs (the records library installs the real
// dialog), makes missing records on Finish and opens the diagram through the DiagramOpener it is
// given, still inside Finish, so that a failure there keeps the wizard open with its message. It
// refuses one person as both partners before making anything.
#pragma once

#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"

#include <functional>

class CDiagWizDlg;
class CFamRec;
class CIndRec;

/// Opens a diagram of a type (DiagramType) on an individual or, for a couple, on their family
/// (the other is null).
using DiagramOpener = std::function<void(int type, CIndRec* individual, CFamRec* family)>;

/// One person of the wizard: the name edit with its "New" and "Select..." buttons and the
/// record chosen. While a record is chosen the edit shows it, read-only.
struct DiagWizPerson {
    int editId = 0;
    int newId = 0;
    int selectId = 0;
    /// The link the person will be held by, told to the record-selection dialog (0 for none).
    int linkFieldId = 0;
    CIndRec* selected = nullptr;
};

/// Template 308: one person or a couple, and the diagram type.
class CDiagWizPage1 final : public CPropertyPage {
public:
    static constexpr UINT kTemplate = 308;
    static constexpr int kIndividualId = 1481, kCoupleId = 1482, kAncestorsId = 1483,
                         kDescendantsId = 1484, kBothId = 1485, kAllRelativesId = 1486;

    explicit CDiagWizPage1(CDiagWizDlg& sheet);

    /// The type checked: ancestors 0, descendants 1, both 2, otherwise All Relatives 3.
    int GetDiagramType() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

private:
    CDiagWizDlg& m_sheet;
};

/// Template 309: one person.
class CDiagWizPage2a final : public CPropertyPage {
public:
    static constexpr UINT kTemplate = 309;
    static constexpr int kNameId = 1496, kNewId = 1494, kSelectId = 1495;

    explicit CDiagWizPage2a(CDiagWizDlg& sheet);

    DiagWizPerson m_person;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWizardFinish() override;

private:
    void UpdateButtons();

    CDiagWizDlg& m_sheet;
};

/// Template 307: a couple.
class CDiagWizPage2b final : public CPropertyPage {
public:
    static constexpr UINT kTemplate = 307;
    static constexpr int kHusbandId = 1046, kHusbandNewId = 1490, kHusbandSelectId = 1491,
                         kWifeId = 1048, kWifeNewId = 1492, kWifeSelectId = 1493;

    explicit CDiagWizPage2b(CDiagWizDlg& sheet);

    DiagWizPerson m_husband;
    DiagWizPerson m_wife;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;

private:
    void UpdateButtons();
    /// The couple's family: the one they share, or a new one when the user agrees; null when
    /// the user does not.
    CFamRec* FindOrMakeFamily();

    CDiagWizDlg& m_sheet;
};

/// The wizard sheet, titled "Diagram Wizard". Finish makes the missing records (a new
/// individual holds the name typed, a new family links the couple) and opens the diagram
/// through the opener while the wizard is still open: any failure on the way says "An error
/// has occurred" and keeps the wizard open. DoModal answers ID_WIZFINISH once a diagram was
/// opened.
class CDiagWizDlg final : public CPropertySheet {
public:
    explicit CDiagWizDlg(DiagramOpener opener, CWnd* parent = nullptr);

    CDiagWizPage1 m_page1;
    CDiagWizPage2a m_page2a;
    CDiagWizPage2b m_page2b;

    void OpenDiagram(CIndRec* individual, CFamRec* family) const;

private:
    DiagramOpener m_opener;
};
