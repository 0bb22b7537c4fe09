// diagrams/window/tree_opts_text.h: the Text page of the Diagram Options sheet: the diagram's text
// scheme, and the schemes themselves with their box-text templates.
//
// A template is kept as typed (after leading line breaks), and the template edit turns a bare CR
// into a line break of its own. A scheme name left empty opens on the default scheme.
#pragma once

#include "diagrams/text_scheme.h"
#include "diagrams/window/tree_opts_page.h"
#include "records/dialogs/data_ref_dlg.h"

#include <string>

class CTextScheme;

/// Template 22. The page edits its own copy of the program's schemes and hands it back on Apply
/// when anything changed. A template is compiled when the user leaves it (another box type or
/// scheme, New, Apply): one that does not compile never reaches the scheme; the user goes back
/// to it with the fault selected, or drops the change. A template of blank lines only leaves
/// the box type without one of its own.
class CTreePageText final : public CTreeOptsPage, private IDataRefInsertSink {
public:
    static constexpr UINT kTemplate = 22;
    static constexpr int kSchemeId = 1018, kNewId = 1019, kResetId = 1023, kDeleteId = 1020,
                         kBoxTypeId = 1009, kDescriptionId = 1352, kTemplateId = 1010,
                         kFontId = 1024, kDataRefId = 1013, kPictureMarkerId = 1014,
                         kResetTemplateId = 1022;

    explicit CTreePageText(CTreeOptsDlg& sheet);

    BOOL OnApply() override;
    void OnOK() override;

    /// The page's working list of schemes.
    const CTextSchemeList& Schemes() const { return m_schemes; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(int id, UINT code) override;

private:
    struct Fault {
        std::string message;
        int line = -1;
        int column = -1;
    };

    void InsertDataRef(CDataRefDlg& dialog, const std::string& text) override;

    CTextScheme* CurrentScheme() const;
    /// Fills the scheme combo and selects the scheme named name (exactly; else the first).
    void FillSchemes(const std::string& name);
    /// Shows the scheme selected in the combo: its buttons, box types and template.
    void ShowScheme();
    /// The box type list with "*" after types that have a template of their own.
    void FillBoxTypes();
    /// The description and the template of the box type selected.
    void ShowBoxType();
    void SetTemplateText(const std::string& text);
    /// Compiles an edited template into the scheme; false with the fault when it does not.
    bool CommitTemplateEdit(Fault& fault);
    /// Commits; on a fault, with ask, offers to drop the edit (true) or to go back to it
    /// (false, the page shown and, unless keepPosition, the faulty text selected); without ask
    /// shows the fault and answers false.
    bool CheckTemplateEdit(bool ask, bool keepPosition = false);
    void SelectFault(const Fault& fault);
    void OnSchemeChosen();
    void OnBoxTypeChosen();
    void OnNew();
    void OnDelete();
    void OnReset();
    void OnResetTemplate();
    void OnDataReference();
    void OnPictureMarker();
    void OnFont();

    CTextSchemeList m_schemes;
    std::string m_schemeName; // the scheme shown
    int m_boxType = 0;        // the box type shown
    bool m_templateEdited = false;
    bool m_schemesChanged = false;
};
