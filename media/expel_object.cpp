// media/expel_object.cpp: writing an embedded multimedia object out to a file the user chooses.
#include "media/expel_object.h"

#include "database/multimedia/obj_rec.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/file_dialog.h"

bool ExpelEmbeddedObject(CObjRec& record, bool& cancelled)
{
    cancelled = false;
    if (!record.IsEmbedded())
        return false;
    record.SaveOleToWorkingFile();
    std::string fileName;
    std::string filter;
    record.GetExpelProposal(fileName, filter);
    CFileDialog dialog(FALSE, nullptr, fileName.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       filter.c_str());
    dialog.SetTitle("Where to create linked file");
    if (dialog.DoModal() != IDOK) {
        cancelled = true;
        return false;
    }
    return record.ExpelToFile(dialog.GetPathName());
}
