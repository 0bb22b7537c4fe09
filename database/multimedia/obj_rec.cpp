// database/multimedia/obj_rec.cpp: the multimedia record (OBJE), its embedded content and its BLOB
// lines.
#include "database/multimedia/obj_rec.h"

#include "common/blob_encoding.h"
#include "common/whole_file.h"
#include "database/dictionary/field_ids.h"
#include "database/fields/blob_node.h"
#include "database/fields/file_node.h"
#include "database/fields/text_value_node.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_type.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "platform/base/text.h"

#include <filesystem>

namespace {

int s_liveCount = 0;

// The longest format word used as a working file's extension.
constexpr std::size_t kMaxExtension = 8;

/// The format word as a file extension when it is a short run of ASCII letters and digits;
/// empty (a plain temporary name) otherwise, so that no text of a file can shape a path.
std::string_view SafeExtension(std::string_view format)
{
    if (format.empty() || format.size() > kMaxExtension)
        return {};
    for (char c : format) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return {};
    }
    return format;
}

} // namespace

// ---- The record -----------------------------------------------------------------------------

CObjRec::CObjRec() noexcept
{
    ++s_liveCount;
    KeepAsPoolOwner();
}

CObjRec::~CObjRec()
{
    DropAsPoolOwner();
    if (!m_workingFile.empty())
        RemoveFile(m_workingFile);
    --s_liveCount;
}

const CRuntimeClass* CObjRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CObjRec>();
}

int CObjRec::GetLiveCount()
{
    return s_liveCount;
}

bool CObjRec::GetText(std::string& text, int withLabel) const
{
    text = GetCaption(withLabel != 0);
    return true;
}

bool CObjRec::GetEmbeddedFile(std::string& path) const
{
    path = m_workingFile;
    return !path.empty();
}

CRecordNode* CObjRec::FindLinkingRecord(const CDataNode* numberField) const
{
    const std::int32_t number = FieldNumber(numberField);
    if (number < 1)
        return nullptr;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        if (link->GetFieldId() == FIELD_OBJE && link->GetLinkTarget() == this &&
            FieldNumber(link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)) == number)
            return link->GetRecord();
    }
    return nullptr;
}

void CObjRec::OnChildFileChanged()
{
    ForgetExtent();
}

// ---- Embedded OLE objects -------------------------------------------------------------------

bool CObjRec::LoadOleFromWorkingFile()
{
    IMediaContentLoader* loader = GetMediaContentLoader();
    if (!loader || m_workingFile.empty() || GetKind() != MEDIA_KIND_OLE)
        return false;
    std::unique_ptr<IMediaContent> item = loader->LoadOleItem(m_workingFile, false);
    if (!item)
        return false;
    ReplaceLoadedContent(std::move(item));
    return true;
}

bool CObjRec::SaveOleToWorkingFile() const
{
    IMediaContent* item = GetLoadedContent();
    if (!item || GetKind() != MEDIA_KIND_OLE || !item->IsChanged())
        return true;
    return !m_workingFile.empty() && item->WriteToFile(m_workingFile);
}

// ---- Working file ---------------------------------------------------------------------------

bool CObjRec::StoreContent(std::string_view content)
{
    std::string path;
    if (!MakeTempFile(SafeExtension(GetFormatText()), path))
        return false;
    if (!WriteWholeFile(path, content)) {
        RemoveFile(path);
        return false;
    }
    RemoveWorkingFile();
    m_workingFile = path;
    return true;
}

void CObjRec::RemoveWorkingFile()
{
    if (!m_workingFile.empty())
        RemoveFile(m_workingFile);
    m_workingFile.clear();
    m_workingFileSize.store(0, std::memory_order_relaxed);
}

bool CObjRec::ReadFileContent(const std::string& path, std::string& content)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return false;
    content.clear();
    return size == 0 || ReadWholeFile(path, content);
}

bool CObjRec::GetWorkingFileSize(std::uint32_t& size) const
{
    size = m_workingFileSize.load(std::memory_order_relaxed);
    if (size == 0) {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(m_workingFile, error);
        if (error || bytes > UINT32_MAX)
            return false;
        size = static_cast<std::uint32_t>(bytes);
        m_workingFileSize.store(size, std::memory_order_relaxed);
    }
    return true;
}

// ---- Loading --------------------------------------------------------------------------------

std::vector<CBlobNode*> CObjRec::GetBlobFields() const
{
    std::vector<CBlobNode*> blobs;
    for (CDataNode* child = FindChild(nullptr, FIELD_BLOB); child;
         child = FindChild(child, FIELD_BLOB)) {
        if (auto* blob = dynamic_cast<CBlobNode*>(child))
            blobs.push_back(blob);
    }
    return blobs;
}

void CObjRec::ResolveBlobChain(CObjRec& other)
{
    if (&other == this)
        return;
    for (CBlobNode* blob : other.GetBlobFields()) {
        other.UnlinkChild(blob, false);
        AppendChild(blob, true);
    }
}

bool CObjRec::DecodeBlobs()
{
    const std::vector<CBlobNode*> blobs = GetBlobFields();
    if (blobs.empty()) {
        if (m_workingFile.empty())
            SetEmbedded(false);
        return true;
    }
    std::string text;
    for (const CBlobNode* blob : blobs)
        text += blob->GetBlobText();
    const std::optional<std::string> content = DecodeBlob(text);
    if (!content || !StoreContent(*content))
        return false;
    for (CBlobNode* blob : blobs) {
        UnlinkChild(blob, false);
        DestroyNodeTree(blob);
    }
    SetEmbedded(true);
    return true;
}

// ---- Embedded and linked form ---------------------------------------------------------------

bool CObjRec::EmbedLinkedFile()
{
    std::string content;
    const std::string path = LinkedFileLocation(GetFilePath());
    if (path.empty() || !ReadWholeFile(path, content) || !StoreContent(content))
        return false;
    SetEmbedded(true);
    return true;
}

bool CObjRec::AbsorbLinkedObject()
{
    if (IsEmbedded() || !EmbedLinkedFile())
        return false;
    MarkChanged(this);
    return true;
}

bool CObjRec::ExpelToFile(const std::string& path)
{
    std::string content;
    if (!IsEmbedded() || m_workingFile.empty() || path == m_workingFile ||
        !SaveOleToWorkingFile() || !ReadFileContent(m_workingFile, content) ||
        !WriteWholeFile(path, content))
        return false;
    CDataNode* file = FindChild(nullptr, FIELD_OBJE_LINKED_FILE);
    if (!file)
        file = CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false});
    if (!file)
        return false;
    if (auto* fileNode = dynamic_cast<CFileNode*>(file))
        fileNode->SetFileName(path);
    else
        SetTextValue(file, path);
    RemoveWorkingFile();
    SetEmbedded(false);
    MarkChanged(this);
    return true;
}

void CObjRec::GetExpelProposal(std::string& fileName, std::string& filter) const
{
    const std::string extension = text::Trim(GetFormatText());
    fileName = GetTitle();
    filter = "All Files (*.*)|*.*||";
    if (extension.empty()) {
        if (fileName.empty())
            fileName = "Multimedia object";
        return;
    }
    if (fileName.empty())
        fileName = "Multimedia object." + extension;
    else if (FileExtension(fileName).empty())
        fileName += "." + extension;
    filter = text::ToUpper(extension) + " files|*." + extension + "|" + filter;
}
