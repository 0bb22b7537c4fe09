// database/multimedia/media_item.cpp: the use-counted content of a multimedia object or record.
#include "database/multimedia/media_item.h"

#include "common/fit_rect.h"
#include "common/whole_file.h"
#include "database/dictionary/field_ids.h"
#include "database/fields/rect_node.h"
#include "database/fields/text_value_node.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_type.h"
#include "database/multimedia/picture_format.h"
#include "database/nodes/data_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

constexpr std::string_view kPictureFormats[] = {"bmp", "jpeg", "jpg", "pcx", "png",
                                                "psd", "tiff", "tif", "tga", "wmf"};

/// The frame number held by a note's number sub-field; 0 when it has none.
int FrameNumberOf(const CDataNode* note)
{
    return FieldNumber(note->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER));
}

bool IsFileField(const CDataNode* node)
{
    const int id = node->GetFieldId();
    return id == FIELD_FILE || id == FIELD_OBJE_LINKED_FILE;
}

} // namespace

MediaKind MediaKindOfFormat(std::string_view format)
{
    if (text::EqualsNoCase(format, "ole"))
        return MEDIA_KIND_OLE;
    for (std::string_view word : kPictureFormats) {
        if (text::EqualsNoCase(format, word))
            return MEDIA_KIND_PICTURE;
    }
    return MEDIA_KIND_OTHER;
}

std::int32_t FieldNumber(const CDataNode* field)
{
    const std::string text = text::Trim(NodeText(field));
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() ? number : 0;
}

CMediaItem::~CMediaItem()
{
    UnloadObject();
}

void CMediaItem::SetFormat(std::string_view format)
{
    m_kind = MediaKindOfFormat(format);
}

void CMediaItem::Lock()
{
    if (++m_useCount == 1)
        LoadObject();
}

void CMediaItem::Unlock()
{
    if (m_useCount > 0 && --m_useCount == 0)
        UnloadObject();
}

void CMediaItem::LoadObject()
{
    m_extentKnown = false;
    m_extent = CSize();
    m_loadFailed = false;
    m_errorText.clear();
    std::string path;
    if (m_embedded)
        GetEmbeddedFile(path);
    else
        path = LinkedFileLocation(GetFilePath());
    if (path.empty() || m_kind == MEDIA_KIND_OTHER || m_kind == MEDIA_KIND_NONE)
        return;
    if (m_kind == MEDIA_KIND_PICTURE && GuessPictureFormat(path) == 0 &&
        PictureFormatFromName(GetFormatText()) == 0) {
        m_loadFailed = true;
        m_errorText = "Unable to load object.  Object type not recognised.";
        m_extentKnown = true;
        return;
    }
    if (IMediaContentLoader* loader = GetMediaContentLoader()) {
        LoadDecoded(path, *loader);
        return;
    }
    if (!ReadWholeFile(path, m_content)) {
        m_loadFailed = true;
        m_errorText = "Unable to load object.  The file cannot be read: " + path;
        return;
    }
    m_loaded = true;
}

void CMediaItem::LoadDecoded(const std::string& path, IMediaContentLoader& loader)
{
    if (m_kind == MEDIA_KIND_PICTURE) {
        int format = GuessPictureFormat(path);
        if (format == 0)
            format = PictureFormatFromName(GetFormatText());
        std::string reason;
        m_decoded = loader.LoadPicture(path, format, reason);
        if (!m_decoded) {
            m_loadFailed = true;
            m_errorText = "Unable to load object." + reason;
        }
    } else {
        m_decoded = loader.LoadOleItem(path, !m_embedded);
        if (!m_decoded) {
            m_loadFailed = true;
            m_errorText = "Unable to load object.  The file cannot be read: " + path;
        }
    }
    if (m_decoded)
        m_extent = m_decoded->GetExtent();
    m_extentKnown = true;
}

void CMediaItem::UnloadObject()
{
    m_decoded.reset();
    std::string().swap(m_content);
    m_loaded = false;
}

void CMediaItem::ReplaceLoadedContent(std::unique_ptr<IMediaContent> content)
{
    m_decoded = std::move(content);
    m_extent = m_decoded ? m_decoded->GetExtent() : CSize();
    m_extentKnown = m_decoded != nullptr;
}

void CMediaItem::ForgetExtent()
{
    m_extentKnown = false;
    m_extent = CSize();
}

bool CMediaItem::PartToShow(const RECT* crop, CRect& part) const
{
    const CSize extent = GetExtent();
    part = CRect(0, 0, extent.cx, extent.cy);
    if (crop)
        part.IntersectRect(part, CRect(*crop));
    return !part.IsRectEmpty();
}

CSize CMediaItem::GetFittedSize(CSize box, const RECT* crop)
{
    if (m_kind == MEDIA_KIND_OTHER)
        return CSize(box.cy, box.cy);
    if (box.cx <= 0 || box.cy <= 0)
        return CSize();
    Lock();
    CRect part;
    const bool shown = PartToShow(m_kind == MEDIA_KIND_PICTURE ? crop : nullptr, part);
    Unlock();
    if (!shown)
        return CSize();
    int width = part.Width();
    int height = part.Height();
    FitRect(width, height, CRect(0, 0, box.cx, box.cy), true);
    return CSize(width, height);
}

bool CMediaItem::DrawInRect(CDC& dc, const RECT& rect, const RECT* crop)
{
    Lock();
    CRect part;
    bool drawn = false;
    if (m_decoded && PartToShow(m_kind == MEDIA_KIND_PICTURE ? crop : nullptr, part))
        drawn = m_decoded->Draw(dc, rect, crop && m_kind == MEDIA_KIND_PICTURE ? &part : nullptr);
    Unlock();
    return drawn;
}

bool CMediaItem::DrawFitted(CDC& dc, const RECT& rect, const RECT* crop)
{
    if (m_kind == MEDIA_KIND_OTHER)
        return false;
    Lock(); // one load for the measure and the drawing
    const CSize size = GetFittedSize(CRect(rect).Size(), crop);
    bool drawn = false;
    if (size.cx > 0 && size.cy > 0) {
        CRect target(rect);
        FitRectToAspect(target, size.cx, size.cy, false);
        drawn = DrawInRect(dc, target, crop);
    }
    Unlock();
    return drawn;
}

const CDataNode* CMediaItem::FindDescription(int fieldId) const
{
    if (const CDataNode* own = GetHolderNode()->FindChild(nullptr, fieldId))
        return own;
    const CDataNode* file = FindFileField();
    return file ? file->FindChild(nullptr, fieldId) : nullptr;
}

const CDataNode* CMediaItem::FindFormatField() const
{
    return FindDescription(FIELD_FORM);
}

std::string CMediaItem::GetFormatText() const
{
    return NodeText(FindFormatField());
}

std::string CMediaItem::GetTitle() const
{
    return text::Trim(NodeText(FindDescription(FIELD_TITL)));
}

const CDataNode* CMediaItem::FindFileField() const
{
    for (const CDataNode* child = GetHolderNode()->GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (IsFileField(child))
            return child;
    }
    return nullptr;
}

CDataNode* CMediaItem::FindFileField()
{
    for (CDataNode* child = GetHolderNode()->GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (IsFileField(child))
            return child;
    }
    return nullptr;
}

std::string CMediaItem::GetFilePath() const
{
    return NodeText(FindFileField());
}

std::string CMediaItem::GetCaption(bool withLabel) const
{
    std::string caption;
    if (withLabel) {
        GetHolderNode()->GetLabel(caption);
        caption += ": ";
    }
    const std::string title = GetTitle();
    if (!title.empty())
        return caption + title;
    std::string path;
    if (!m_embedded) {
        const CDataNode* holder = GetHolderNode();
        const CDataNode* file = holder->FindChild(nullptr, FIELD_OBJE_LINKED_FILE);
        path = text::Trim(NodeText(file ? file : holder->FindChild(nullptr, FIELD_FILE)));
    }
    return caption + (path.empty() ? "<no title>" : "<file: " + path + ">");
}

std::string CMediaItem::GetMediaTypeName() const
{
    switch (m_kind) {
    case MEDIA_KIND_PICTURE:
        return "Picture";
    case MEDIA_KIND_OLE:
        return "OLE Object";
    case MEDIA_KIND_NONE:
        return "<Unknown> ";
    case MEDIA_KIND_OTHER:
        break;
    }
    return OtherMediaTypeName(m_embedded ? GetFormatText() : FileExtension(GetFilePath()));
}

bool CMediaItem::IsFileChanged() const
{
    for (const CDataNode* child = GetHolderNode()->GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (IsFileField(child) && (child->IsPendingDeletion() || child->IsChanged()))
            return true;
    }
    return false;
}

CDataNode* CMediaItem::FindFrameNoteAfter(const CDataNode* after) const
{
    return GetHolderNode()->FindChild(after, FIELD_NOTE_TEXT);
}

CDataNode* CMediaItem::FindFrameNote(int number) const
{
    if (number < 1)
        return nullptr;
    for (CDataNode* note = FindFrameNoteAfter(nullptr); note; note = FindFrameNoteAfter(note)) {
        if (FrameNumberOf(note) == number)
            return note;
    }
    return nullptr;
}

RECT CMediaItem::GetFrameRect(int number) const
{
    const CDataNode* note = FindFrameNote(number);
    const auto* frame =
        note ? dynamic_cast<const CRectNode*>(note->FindChild(nullptr, FIELD_OBJE_FRAME)) : nullptr;
    return frame ? RECT(frame->GetRect()) : RECT();
}

int CMediaItem::NextFrameNumber() const
{
    int highest = 0;
    for (const CDataNode* note = FindFrameNoteAfter(nullptr); note; note = FindFrameNoteAfter(note))
        highest = std::max(highest, FrameNumberOf(note));
    return highest + 1;
}

CDataNode* CMediaItem::AddFrameNote(int* number, const RECT* rect)
{
    CDataNode* holder = GetHolderNode();
    const int next = NextFrameNumber();
    CDataNode* note = holder->CreateChildById(FIELD_NOTE_TEXT, {.withChildren = false});
    if (!note)
        return nullptr;
    if (number) {
        if (CDataNode* numberField =
                note->CreateChildById(FIELD_OBJE_LINK_NUMBER, {.withChildren = false})) {
            SetTextValue(numberField, std::to_string(next));
            *number = next;
        }
    }
    if (rect) {
        if (auto* frame = dynamic_cast<CRectNode*>(
                note->CreateChildById(FIELD_OBJE_FRAME, {.withChildren = false})))
            frame->SetRect(*rect);
    }
    return note;
}

RECT CPictureFrameRef::GetRect()
{
    if (!m_holder || m_frameNumber < 1)
        return RECT();
    if (!m_fetched) {
        m_rect = m_holder->GetFrameRect(m_frameNumber);
        m_fetched = true;
    }
    return m_rect;
}

bool CPictureFrameRef::HasFrame()
{
    return !CRect(GetRect()).IsRectEmpty();
}
