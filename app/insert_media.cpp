// app/insert_media.cpp: the Insert commands that add pictures, other multimedia and documents
// from files as multimedia records, and the OLE object command, which cannot be done here.
#include "app/av_app.h"
#include "common/abort.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/sub_view.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/file_node.h"
#include "database/multimedia/format_node.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_type.h"
#include "database/multimedia/obj_rec.h"
#include "database/multimedia/picture_format.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/frames/ole_client_item.h"
#include "platform/ui/windows/message.h"

#include <string>
#include <vector>

namespace {

constexpr int kMultimediaList = 7;
constexpr const char* kInsertFailed = "An error has occurred.  Unable to insert.";
constexpr const char* kInsertPictureFailed = "An error has occurred.  Unable to insert picture.";

struct InsertKind {
    UINT id;
    const char* title;
    const char* filter;
    const char* failure;
};

constexpr InsertKind kInsertKinds[] = {
    {ID_INSERT_PICTURES, "Insert pictures",
     "Image Files|*.BMP;*.JPG;*.JPEG;*.PCX;*.TIF;*.TIFF;*.PNG;*.TGA;*.WMF|"
     "Bitmap Files (.bmp)|*.BMP|JPEG Files (.jpg,.jpeg)|*.JPG;*.JPEG|PCX Files (.pcx)|*.PCX|"
     "TIFF Files (.tif)|*.TIF;*.TIFF|PNG Files (*.PNG)|*.PNG|Targa TGA Files (*.TGA)|*.TGA|"
     "Placeable Metafiles (*.WMF)|*.WMF|All files (*.*)|*.*||",
     kInsertPictureFailed},
    {ID_INSERT_MULTIMEDIA, "Insert Other Multimedia (Video, Sound, etc)",
     "Multimedia (Video, Sound, etc)|*.MPG;*.MPEG;*.AVI;*.WAV;*.MID;*.RMI;*.MIDI;*.GIF|"
     "Video (.mpg,.mpeg,.avi)|*.MPG;*.MPEG;*.AVI|Sound (.wav)|*.WAV|"
     "MIDI Sequencer (.mid,.rmi,.midi)|*.MID,*.RMI,*.MIDI|GIF Pictures (.gif)|*.GIF|"
     "All files (*.*)|*.*||",
     kInsertFailed},
    {ID_INSERT_DOCUMENT, "Insert Document",
     "Document Files (.doc,.wri,.rtf,.txt)|*.DOC;*.WRI;*.RTF;*.TXT|All files (*.*)|*.*||",
     kInsertFailed},
};

/// The record that holds node: the node itself or its first ancestor that is a record.
CRecordNode* HoldingRecord(CDataNode* node)
{
    while (node && !node->IsRecord())
        node = node->GetParent();
    return static_cast<CRecordNode*>(node);
}

/// The FORM word of a file: its picture format's word, else its extension in lower case; empty
/// for a file of no known type.
std::string FormatWordOf(const std::string& path)
{
    const std::string_view word = PictureFormatName(GuessPictureFormat(path));
    return word.empty() ? text::ToLower(FileExtension(path)) : std::string(word);
}

/// The record's sub-field of that id, made when it has none (a new record may come with its
/// fields already there).
CDataNode* SubField(CObjRec& record, int fieldId)
{
    CDataNode* field = record.FindChild(nullptr, fieldId);
    return field ? field : record.CreateChildById(fieldId, {.withChildren = false});
}

/// A new multimedia record linked to the file, with its format; null when a record or field
/// cannot be made.
CObjRec* NewLinkedRecord(const std::string& path)
{
    CDataNode* root = GetRecordTypeRoot(kMultimediaList);
    auto* record = dynamic_cast<CObjRec*>(root ? root->CreateChild(nullptr) : nullptr);
    if (!record)
        return nullptr;
    auto* file = dynamic_cast<CFileNode*>(SubField(*record, FIELD_OBJE_LINKED_FILE));
    if (!file)
        return nullptr;
    file->SetFileName(path);
    const std::string format = FormatWordOf(path);
    if (format.empty())
        return record;
    auto* form = dynamic_cast<CFormatNode*>(SubField(*record, FIELD_FORM));
    if (!form || !form->SetFormat(format))
        return nullptr;
    return record;
}

} // namespace

void CAvApp::MapInsertCommands()
{
    for (const InsertKind& kind : kInsertKinds) {
        MapCommand(kind.id, [this, &kind] {
            // The selected record receives a link to each new record, when its type allows
            // multimedia links and it is no multimedia record itself.
            const CAvView* view = GetActiveAvView();
            const CSubView* pane = view ? view->GetSubView() : nullptr;
            CRecordNode* context = HoldingRecord(
                dynamic_cast<CDataNode*>(pane ? pane->GetSelection(nullptr, nullptr) : nullptr));
            if (context && (dynamic_cast<CObjRec*>(context) ||
                            !FindChildDefById(context->GetFieldDef(), FIELD_OBJE)))
                context = nullptr;

            CFileDialog dialog(TRUE, nullptr, nullptr,
                               OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                               kind.filter);
            dialog.SetTitle(kind.title);
            // The picker opens beside the open GEDCOM file, where its linked files are looked
            // for, and a name typed without a folder is taken there.
            dialog.SetInitialFolder(GetLinkedFileFolder());
            if (dialog.DoModal() != IDOK)
                return;
            CObjRec* first = nullptr;
            try {
                const CWaitCursor wait;
                for (const std::string& path : dialog.GetPathNames()) {
                    CObjRec* record = NewLinkedRecord(path);
                    if (!record || (context && !context->AddObjectLink(record, 0))) {
                        NotifyChanges();
                        MessageBox(kind.failure, MB_OK | MB_ICONEXCLAMATION);
                        return;
                    }
                    if (!first)
                        first = record;
                }
            } catch (...) {
                NotifyChanges();
                if (EndAbandonedOperation() == AbandonCause::Aborted)
                    MessageBox("An error has occurred.", MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            NotifyChanges();
            ShowRecordInRecordsWindow(context ? context : first, FALSE);
        });
    }
    MapCommand(ID_OLE_INSERT_NEW,
               [] { MessageBox(kOleUnavailableText, MB_OK | MB_ICONINFORMATION); });
}
