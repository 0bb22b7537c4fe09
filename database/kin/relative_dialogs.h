// database/kin/relative_dialogs.h: the dialogs through which adding, linking and unlinking
// relatives asks the user to pick a record or a family, confirms a link, and tells why a link
// was refused or failed; the window layer installs them, tests script them.
#pragma once

#include <string>
#include <vector>

class CDataNode;
class CFamRec;
class CIndRec;
class CRecordNode;

/// What the record-selection dialog ("Select Record") shows.
struct CRecordSelectRequest {
    /// The records offered: those of this record-type root.
    const CDataNode* m_root = nullptr;
    /// A family the caller proposes; may be null.
    const CFamRec* m_family = nullptr;
    /// The link whose filter the dialog offers: 0 none, FIELD_HUSB ("No Females"), FIELD_WIFE
    /// ("No Males"), FIELD_CHIL ("Parentless Individuals Only").
    int m_filterFieldId = 0;
    bool m_filterOn = false;
    /// The record that will hold the link.
    const CRecordNode* m_holder = nullptr;
    std::string m_title;
};

/// The modes of the family-choice dialog; each lists the subject's families.
enum FamilyChoiceMode : int {
    /// "Specify Family for Parent and Child": the subject's parent families.
    FCM_PARENT_AND_CHILD = 1,
    /// "Specify Family for Children": the subject's parent families.
    FCM_CHILDREN = 2,
    /// "Specify Family for Child and Parent": the subject's spouse families.
    FCM_CHILD_AND_PARENT = 3,
    /// "Specify Family for Spouse": the subject's spouse families with a free place.
    FCM_SPOUSE = 4,
};

/// The family-choice dialog's answer after OK: a listed family, or "Create a new family".
struct CFamilyChoice {
    bool m_useSelected = false;
    CFamRec* m_family = nullptr;
};

/// The answers of the record-list dialog.
enum RecordListAnswer : int {
    RLA_OK = 0,
    RLA_CANCEL = 1,
    RLA_NO_MEMORY = 2, // a row could not be added; the dialog was not shown
};

class IRelativeDialogs {
public:
    virtual ~IRelativeDialogs() = default;
    /// The record-selection dialog; false when cancelled. After OK selected is the chosen
    /// record, null when nothing was selected.
    virtual bool SelectRecord(const CRecordSelectRequest& request, CRecordNode*& selected) = 0;
    /// The family-choice dialog (FamilyChoiceMode) over the subject's families, naming other
    /// in its texts; false when cancelled.
    virtual bool ChooseFamily(int mode, CIndRec* subject, CIndRec* other,
                              CFamilyChoice& choice) = 0;
    /// The record-list dialog titled title, one row per record; after RLA_OK selected is the
    /// chosen record or null.
    virtual RecordListAnswer ChooseFromList(const std::string& title,
                                            const std::vector<CRecordNode*>& records,
                                            CRecordNode*& selected) = 0;
    /// An OK box with the message: why a link was refused, why an individual's sex may not be
    /// deleted, or that an unlink failed.
    virtual void Inform(const std::string& message) = 0;
    /// A Yes/No box with the question the link checks ask before a link is made; true for Yes.
    virtual bool Confirm(const std::string& question) = 0;
};

/// Without installed dialogs every dialog counts as cancelled and no message is shown.
void SetRelativeDialogs(IRelativeDialogs* dialogs);
IRelativeDialogs* GetRelativeDialogs();

/// The record-selection dialog over the individuals, for a link that holder will hold; false
/// when cancelled or no dialogs are installed. chosen is null when nothing was selected.
bool SelectIndividual(const CRecordNode& holder, const CFamRec* family, std::string title,
                      int filterFieldId, bool filterOn, CIndRec*& chosen);

/// Tells the user the message through the installed dialogs.
void InformUser(const std::string& message);
/// Asks the question through the installed dialogs; false (No) when none are installed.
bool ConfirmWithUser(const std::string& question);

/// The ask-sex dialog through the installed ISexQuestion (assoc_node.h), about the individual
/// (or "new parent") that text names: 0 male, 1 female, -1 when cancelled or none is installed.
int AskSexOf(const std::string& text);
