// records/dialogs/data_ref_dlg.h: the Data Reference Assistant (template 164): a field,
// qualifier or linked record picked from the tree of field definitions, as data reference text.
#pragma once

#include "controls/type_tree.h"
#include "platform/ui/dialogs/dialog.h"

#include <cstdint>
#include <string>

inline constexpr unsigned kDataRefTemplate = 164;
inline constexpr int IDC_DATAREF_FRAME = 1021, IDC_DATAREF_QUALIFIERS = 1022,
                     IDC_DATAREF_LINKED = 1023, IDC_DATAREF_TEXT = 1024,
                     IDC_DATAREF_CLOSE_AFTER = 1025, IDC_DATAREF_INSERT = 1013,
                     IDC_DATAREF_TREE = 4;

class CDataRefDlg;

/// Receives each reference that Insert hands over in mode 0.
class IDataRefInsertSink {
public:
    virtual ~IDataRefInsertSink() = default;
    virtual void InsertDataRef(CDataRefDlg& dialog, const std::string& text) = 0;
};

/// Mode 1 returns one reference in m_result (after IDOK); mode 0 hands each reference, between
/// "%" signs, to the sink and may stay open for more. typeMask chooses the record types the tree
/// offers.
class CDataRefDlg final : public CDialog, private CTypeTreeListener {
public:
    static constexpr int kModeInsert = 0;
    static constexpr int kModeChoose = 1;
    /// The tree's options in each mode.
    static constexpr DWORD kInsertOptions = 23;
    static constexpr DWORD kChooseOptions = 55;

    CDataRefDlg(CWnd* parent, std::uint32_t typeMask, int mode, IDataRefInsertSink* sink);

    std::string m_result;

    CTypeTree& GetTree() { return m_tree; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void OnTypeTreeSelChanged(CTypeTree* tree) override;
    void OnTypeTreeItemActivated(CTypeTree* tree, CTreeBoxNode* item) override;
    void Insert();
    void UpdateInsert();

    CTypeTree m_tree;
    std::uint32_t m_typeMask;
    int m_mode;
    IDataRefInsertSink* m_sink;
};
