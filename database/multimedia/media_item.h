// database/multimedia/media_item.h: the use-counted content of a multimedia object or record.
#pragma once

#include "database/multimedia/media_format_holder.h"
#include "platform/base/geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

class CDataNode;

/// What a multimedia object holds, decided by its format word.
enum MediaKind : int {
    MEDIA_KIND_NONE = 0,
    MEDIA_KIND_PICTURE = 1,
    MEDIA_KIND_OLE = 2,
    MEDIA_KIND_OTHER = 3,
};

/// The kind of a format word, without regard to case: "bmp", "jpeg", "jpg", "pcx", "png",
/// "psd", "tiff", "tif", "tga" and "wmf" are pictures, "ole" an OLE object, anything else
/// ("gif" too) other multimedia.
MediaKind MediaKindOfFormat(std::string_view format);

/// The whole number a field's text holds (a frame or link number); 0 for a missing field or a
/// text that is no number.
std::int32_t FieldNumber(const CDataNode* field);

/// The content holder of a multimedia object (the second base of the multimedia record and of
/// the OBJE structure, its owner). Its content, the object's bytes kept opaque and unchanged,
/// is read on the first Lock from the owner's embedded file or from the linked file, and freed
/// when the last Unlock brings the use count to zero. The frame notes, title, format and file
/// path are the owner's sub-fields.
class CMediaItem : public IMediaFormatHolder {
public:
    CMediaItem() = default;
    CMediaItem(const CMediaItem&) = delete;
    CMediaItem& operator=(const CMediaItem&) = delete;
    ~CMediaItem() override;

    // Owner operations.
    /// The file that holds an embedded object's content; false when there is none.
    virtual bool GetEmbeddedFile(std::string& path) const = 0;
    /// The node whose sub-fields describe the object.
    virtual CDataNode* GetHolderNode() = 0;
    virtual const CDataNode* GetHolderNode() const = 0;

    // IMediaFormatHolder.
    bool IsEmbedded() const override { return m_embedded; }
    int GetUseCount() const override { return m_useCount; }
    /// The kind from the format word (see MediaKindOfFormat).
    void SetFormat(std::string_view format) override;

    MediaKind GetKind() const { return m_kind; }
    void SetEmbedded(bool embedded) { m_embedded = embedded; }

    // Use and content.
    /// Raises the use count; the first use loads the content.
    void Lock();
    /// Lowers the use count; at zero the content is freed.
    void Unlock();
    /// The loaded bytes; null while nothing is loaded.
    const std::string* GetContent() const { return m_loaded ? &m_content : nullptr; }
    bool HasLoadFailed() const { return m_loadFailed; }
    /// Why the last load failed; empty after a good one.
    const std::string& GetErrorText() const { return m_errorText; }

    // The owner's sub-fields.
    /// The owner's FORM text, or empty.
    std::string GetFormatText() const;
    /// The owner's TITL text trimmed at both ends, or empty.
    std::string GetTitle() const;
    /// The text of the first FILE or linked-file sub-field; empty when none.
    std::string GetFilePath() const;
    /// With label, the owner's label and ": " first; then the title; without one, a linked
    /// object with a path shows "<file: ", the path and ">", others "<no title>".
    std::string GetCaption(bool withLabel) const;
    /// "Picture", "OLE Object", "<Unknown> ", or for other multimedia a name from the FORM text
    /// (embedded) or the linked file's extension: "Video", "GIF Picture", "Sound", "Document",
    /// else "Other Multimedia (TYPE)".
    std::string GetMediaTypeName() const;
    /// True when the FILE or linked-file sub-field is pending deletion or changed.
    bool IsFileChanged() const;
    /// The NOTE text sub-field after `after` (the first when null); null when `after` is given
    /// but is no sub-field.
    CDataNode* FindFrameNoteAfter(const CDataNode* after) const;
    /// The NOTE text sub-field whose frame number is number; null below 1 or when none.
    CDataNode* FindFrameNote(int number) const;
    /// The frame of the note with that number; empty below 1 or when there is none.
    RECT GetFrameRect(int number) const;
    /// One more than the highest frame number of the notes (1 without any).
    int NextFrameNumber() const;
    /// Adds a NOTE text sub-field; when number is given, a frame number sub-field with the
    /// next frame number (answered in number); when rect is given, a frame sub-field with it.
    /// Null when the note cannot be made.
    CDataNode* AddFrameNote(int* number, const RECT* rect);

private:
    /// Reads the content from the embedded or linked file.
    void LoadObject();
    void UnloadObject();
    const CDataNode* FindFileField() const;

    bool m_embedded = false;
    MediaKind m_kind = MEDIA_KIND_NONE;
    bool m_loaded = false;
    std::string m_content;
    std::int32_t m_useCount = 0;
    bool m_loadFailed = false;
    std::string m_errorText;
};

/// A numbered frame of a picture, as a report prints it: its rectangle is fetched from the
/// holder on first use.
class CPictureFrameRef {
public:
    CPictureFrameRef(const CMediaItem* holder, int frameNumber)
        : m_holder(holder), m_frameNumber(frameNumber)
    {
    }
    /// Empty without a holder or for a frame number below 1.
    RECT GetRect();
    bool HasFrame();

private:
    const CMediaItem* m_holder;
    int m_frameNumber;
    RECT m_rect;
    bool m_fetched = false;
};
