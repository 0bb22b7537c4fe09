// diagrams/window/diag_save_custom_dlg.h: the name under which a diagram's settings are saved
// as a custom diagram file, in the custom diagrams folder.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>
#include <string_view>

/// Why name cannot name a custom diagram file, as the message that tells the user; empty when
/// it can. A name is one file name inside the folder (common/file_name_check.h): it may not be
/// empty, hold "/", "\", "..", a control character or a character that file names cannot hold,
/// nor be too long for a file name. Unlike a report name it may begin with a full stop.
std::string CustomDiagramNameProblem(std::string_view name);

/// Template 245. The caller sets m_name (the diagram's custom name, empty for none) and runs
/// DoModal; after IDOK m_name is the trimmed name and m_path the file to write the settings to:
/// the custom diagrams folder (made when missing; a folder that cannot be made is told and the
/// dialog stays), the name and ".dgm". A file of another name that exists is replaced only when
/// the user agrees; the name the dialog opened with is never asked about.
class CSaveCustomDiagramDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 245;
    static constexpr int kNameId = 1245;

    explicit CSaveCustomDiagramDlg(CWnd* parent = nullptr);

    std::string m_name;
    std::string m_path;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    std::string TypedName() const;
    void UpdateOk();

    std::string m_openingName;
};
