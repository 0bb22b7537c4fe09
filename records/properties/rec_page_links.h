// records/properties/rec_page_links.h: the Main pages of the header, a submission and a source,
// each with links to other records shown in read-only edits and changed through a menu button.
#pragma once

#include "records/properties/record_page.h"

#include "controls/u_button.h"

#include <memory>
#include <span>

/// One link of a page: the edit that shows the linked record, the placeholder the menu button
/// replaces, the link field, the menu's commands and the selection dialog's caption.
struct PageLinkSpec {
    UINT editId;
    UINT placeholderId;
    UINT buttonId;
    int fieldId;
    UINT selectCommand; // clear is selectCommand + 1, go to selectCommand + 2
    const char* noun;   // "Submitter", "Submission", "Repository"
    const char* selectCaption;
    int listIndex;
};

/// A page with link menus. Selecting a record replaces the link there was (a page of a new
/// header or submission makes its record first); a link field that cannot be made is reported
/// and nothing is linked.
class CRecPageLinks : public CRecordPage, public CUButtonListener {
public:
    CRecPageLinks(UINT templateId, std::span<const PageLinkSpec> links, bool needsRecordForMenu);
    ~CRecPageLinks() override;

    void LoadFromRecord(const CPageState& state) override;
    BOOL Refresh(CView* sender, LPARAM hint, CObject* object) override;
    CDataNode* GetNodeForControl(CDataCtl* control) override;
    void OnButtonClicked(CUButton* button) override;

    /// Carries out a menu command of the page's links (select, clear, go to).
    void RunLinkCommand(UINT command);

protected:
    BOOL OnInitDialog() override;

private:
    /// The link field of the box's record for spec; null when there is none.
    CDataNode* FindLink(const PageLinkSpec& spec) const;
    CRecordNode* FindTarget(const PageLinkSpec& spec) const;
    void ShowLinks();
    void SelectLink(const PageLinkSpec& spec);
    void ClearLink(const PageLinkSpec& spec);
    void GoToLink(const PageLinkSpec& spec);

    std::span<const PageLinkSpec> m_links;
    bool m_needsRecordForMenu;
    std::vector<std::unique_ptr<CUButton>> m_buttons;
};

class CRecPageHdrMain final : public CRecPageLinks {
public:
    CRecPageHdrMain();
};

class CRecPageSbnMain final : public CRecPageLinks {
public:
    CRecPageSbnMain();
};

class CRecPageSrcMain final : public CRecPageLinks {
public:
    CRecPageSrcMain();
};
