// diagrams/window/diag_scheme_name_dlg.h: the name of a new text scheme and the scheme it starts
// from.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

class CTextScheme;
class CTextSchemeList;

/// Template 163, over the options sheet's working list of schemes. OK refuses, with a message,
/// an empty name, a name another scheme has (without regard to case) and a name holding "\";
/// after IDOK m_name is the new name and m_baseScheme the scheme chosen to start from (null
/// for none).
class CSchemeNameDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 163;
    static constexpr int kNameId = 1020, kBaseId = 1103;
    static constexpr int kLongestName = 100;

    explicit CSchemeNameDlg(const CTextSchemeList& schemes, CWnd* parent = nullptr);

    std::string m_name;
    const CTextScheme* m_baseScheme = nullptr;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    const CTextSchemeList& m_schemes;
};
