// records/dialogs/new_record_dlgs.h: the small dialogs that create a repository or a source
// record, and the question where a new note goes.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

class CFamRec;
class CRecordNode;

inline constexpr UINT kNewRepositoryTemplate = 295, kNewSourceTemplate = 294,
                      kAddNoteTemplate = 297;
inline constexpr int IDC_REPO_NAME = 1395, IDC_REPO_ADDRESS = 1396, IDC_REPO_PHONE = 1397,
                     IDC_NEW_REFERENCE = 1321, IDC_NEW_NOTE = 1333;
inline constexpr int IDC_SOURCE_TITLE = 1319, IDC_SOURCE_SHORT_TITLE = 1320,
                     IDC_SOURCE_AUTHOR = 1391, IDC_SOURCE_REFERENCE = 1392,
                     IDC_SOURCE_PUBLICATION = 1393, IDC_SOURCE_TEXT = 1394,
                     IDC_SOURCE_REPOSITORY = 1051, IDC_SOURCE_SELECT = 1390;
inline constexpr int IDC_NOTE_LOCAL = 1407, IDC_NOTE_FAMILY = 1408, IDC_NOTE_LINK = 1409,
                     IDC_NOTE_FAMILY_LABEL = 1410, IDC_NOTE_FAMILIES = 1103;

/// "Create" makes the repository from the values that are not blank and announces it; after
/// IDOK m_created is the record.
class CNewRepositoryDlg final : public CDialog {
public:
    explicit CNewRepositoryDlg(CWnd* parent = nullptr);
    CRecordNode* m_created = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
};

/// As the repository dialog, for a source with a title or a short title, optionally linked to
/// a repository chosen through "<< Select...".
class CNewSourceDlg final : public CDialog {
public:
    explicit CNewSourceDlg(CWnd* parent = nullptr);
    CRecordNode* m_created = nullptr;
    CRecordNode* m_repository = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void OnSelectRepository();
    void UpdateCreate();
};

/// Whether a note for m_record is local (0), on one of the individual's families (1, the
/// family in m_family) or a link to a note record (2).
class CAddNoteDlg final : public CDialog {
public:
    explicit CAddNoteDlg(CWnd* parent = nullptr);
    CRecordNode* m_record = nullptr;
    int m_choice = 0;
    CFamRec* m_family = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void UpdateFamilyControls();
};
