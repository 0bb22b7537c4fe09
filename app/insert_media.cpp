// app/insert_media.cpp: the Insert commands that add pictures, other multimedia and documents
// from files, chosen in the picture file dialog, as multimedia records or structures shown in the
// multimedia window, and the OLE object command, which cannot be done here.
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
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/multimedia/picture_format.h"
#include "database/nodes/change_tracking.h"
#include "media/window/me_pic_file_dlg.h"
#include "media/window/sub_view_media.h"
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

} // namespace

struct InsertKind {
    UINT id;
    const char* title;
    const char* filter;
    const char* failure;
};

namespace {

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

/// Gives the format field its format; false, after showing why when the field says, when it
/// refuses.
bool SetFormatOf(CFormatNode* form, const std::string& format)
{
    const EngineOutcome set = form ? form->SetFormat(format) : EngineOutcome{};
    if (!set.message.empty())
        MessageBox(set.message, MB_OK);
    return set.done;
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
    if (!SetFormatOf(form, format))
        return nullptr;
    return record;
}

/// A new multimedia structure inside node with the file and its format; null when a field
/// cannot be made.
CDataNode* NewEmbeddedStructure(CDataNode& node, const std::string& path)
{
    CDataNode* structure = node.CreateChildById(FIELD_OBJE_EMBEDDED, {.withChildren = false});
    auto* file = dynamic_cast<CFileNode*>(
        structure ? structure->CreateChildById(FIELD_FILE, {.withChildren = false}) : nullptr);
    if (!file)
        return nullptr;
    file->SetFileName(path);
    const std::string format = FormatWordOf(path);
    if (format.empty())
        return structure;
    auto* form =
        dynamic_cast<CFormatNode*>(structure->CreateChildById(FIELD_FORM, {.withChildren = false}));
    if (!SetFormatOf(form, format))
        return nullptr;
    return structure;
}

} // namespace

void CAvApp::InsertFromFiles(const InsertKind& kind)
{
    // The context: the record whose multimedia the multimedia window lists, else the active
    // window's selection.
    const CAvView* view = GetActiveAvView();
    CSubView* pane = view ? view->GetSubView() : nullptr;
    CDataNode* contextNode = nullptr;
    if (auto* media = dynamic_cast<CSubViewMedia*>(pane))
        contextNode = media->GetLinkedRecord();
    else if (pane)
        contextNode = dynamic_cast<CDataNode*>(pane->GetSelection(nullptr, nullptr));
    CRecordNode* context = HoldingRecord(contextNode);

    CMePicFileDlg dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                         kind.filter);
    dialog.SetTitle(kind.title);
    // The picker opens beside the open GEDCOM file, where its linked files are looked for, and
    // a name typed without a folder is taken there.
    dialog.SetInitialFolder(GetLinkedFileFolder());
    dialog.m_pContext = context;
    dialog.m_canField =
        contextNode && FindChildDefById(contextNode->GetFieldDef(), FIELD_OBJE_EMBEDDED);
    dialog.m_canLinkRecord = context && !dynamic_cast<CObjRec*>(context) &&
                             FindChildDefById(context->GetFieldDef(), FIELD_OBJE);
    // A record that can link to the new objects does so unless the user says otherwise.
    dialog.m_insertAs =
        dialog.m_canLinkRecord ? CMePicFileDlg::kLinkedRecord : CMePicFileDlg::kUnlinkedRecord;
    dialog.m_otherMedia = kind.id == ID_INSERT_MULTIMEDIA;
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<CMediaItem*> made;
    try {
        const CWaitCursor wait;
        for (const std::string& path : dialog.GetPathNames()) {
            CMediaItem* item = nullptr;
            if (dialog.m_insertAs == CMePicFileDlg::kField && contextNode) {
                item = dynamic_cast<CObjNode*>(NewEmbeddedStructure(*contextNode, path));
            } else {
                CObjRec* record = NewLinkedRecord(path);
                item = record;
                if (record && dialog.m_insertAs == CMePicFileDlg::kLinkedRecord && context &&
                    !context->AddObjectLink(record, 0))
                    item = nullptr;
                if (record && dialog.m_storage == CMePicFileDlg::kEmbedCopy)
                    record->EmbedLinkedFile();
            }
            if (!item) {
                NotifyChanges();
                MessageBox(kind.failure, MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            made.push_back(item);
        }
    } catch (...) {
        NotifyChanges();
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            MessageBox("An error has occurred.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (made.empty())
        return;
    // The window shows the context's multimedia (the new object without a context), and is told
    // of every new object.
    if (CSubViewMedia* media = GetMediaWindow()) {
        media->SetContextRecord(
            context ? static_cast<CDataNode*>(context) : made.front()->GetHolderNode(), 0, 0);
        for (CMediaItem* item : made)
            media->OnRecordChange(item, 0);
    }
    NotifyChanges();
}

void CAvApp::MapInsertCommands()
{
    for (const InsertKind& kind : kInsertKinds)
        MapCommand(kind.id, [this, &kind] { InsertFromFiles(kind); });
    MapCommand(ID_OLE_INSERT_NEW,
               [] { MessageBox(kOleUnavailableText, MB_OK | MB_ICONINFORMATION); });
}
