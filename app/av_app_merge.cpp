// app/av_app_merge.cpp: the application object's part in merging: the Merge/Compare command,
// which merges another file into the open one, or compares the two, through the document.
#include "app/av_app.h"

#include "app/shell/av_doc.h"
#include "database/dictionary/record_type_table.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/windows/cmd_ui.h"

namespace {

constexpr UINT ID_MERGE_COMPARE = 32851;

} // namespace

void CAvApp::MapMergeCommands()
{
    MapCommand(ID_MERGE_COMPARE, [this] {
        if (!m_document || !m_template)
            return;
        std::string filterName;
        std::string extension;
        m_template->GetDocString(filterName, CDocTemplate::filterName);
        m_template->GetDocString(extension, CDocTemplate::filterExt);
        const std::string filter = filterName + "|*" + extension + "|All Files (*.*)|*.*||";
        CFileDialog dialog(TRUE, extension.substr(extension.starts_with('.') ? 1 : 0).c_str(),
                           nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter.c_str(),
                           m_pMainWnd);
        dialog.SetTitle("Merge/Compare");
        if (dialog.DoModal() == IDOK)
            m_document->LoadFileForMerge(dialog.GetPathName());
    });
    // There is nothing to merge into while the data set holds only its header.
    MapUpdate(ID_MERGE_COMPARE, [](CCmdUI* state) { state->Enable(!HasOnlyHeader()); });
}
