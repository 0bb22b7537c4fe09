// records/dialogs/custom_name_dlg.h: the dialogs that name a new custom event or attribute:
// Add Custom Event/Attribute (template 301) and Add Custom Event/Attribute For Individual or
// Family (template 373, for the Edit List dialog).
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "records/properties/name_similarity.h"

#include <string>

inline constexpr unsigned kAddCustomEventTemplate = 301;
inline constexpr unsigned kCustomItemNameTemplate = 373;
inline constexpr int IDC_CUSTOM_NAME = 1451, IDC_CUSTOM_NAME_LABEL = 1452;
inline constexpr int IDC_ITEM_EVENT = 1497, IDC_ITEM_ATTRIBUTE = 1498, IDC_ITEM_NAME = 1395,
                     IDC_ITEM_NAME_LABEL = 1396;

/// The opener sets m_isEvent, m_isFamily and m_lists; after IDOK m_name is the name, checked by
/// CheckCustomName (a similar name of the other owner may have been taken instead).
class CAddCustomEventDlg final : public CDialog {
public:
    explicit CAddCustomEventDlg(CWnd* parent = nullptr);

    std::string m_name;
    bool m_isEvent = true;
    bool m_isFamily = false;
    const CCustomNameLists* m_lists = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void UpdateOk();
};

/// The opener sets m_isFamily; after IDOK m_name and m_isEvent are the answer. The name is
/// checked without similarity (CheckCustomItemName).
class CCustomItemNameDlg final : public CDialog {
public:
    explicit CCustomItemNameDlg(CWnd* parent = nullptr);

    std::string m_name;
    bool m_isFamily = false;
    bool m_isEvent = true;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void UpdateControls();
};
