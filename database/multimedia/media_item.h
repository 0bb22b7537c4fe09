// database/multimedia/media_item.h: the use-counted content of a multimedia object or record.
#pragma once

#include "database/multimedia/media_content.h"
#include "database/multimedia/media_format_holder.h"
#include "platform/base/geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CDataNode;
class CDC;

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
/// the OBJE structure, its owner). Its content is read on the first Lock from the owner's
/// embedded file or from the linked file, and freed when the last Unlock brings the use count
/// to zero: a decoded picture or an OLE item when a content loader is installed (see
/// media_content.h), otherwise the object's bytes kept opaque and unchanged. The frame notes,
/// title, format and file path are the owner's sub-fields.
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
    /// The loaded bytes (without a content loader); null while none are loaded.
    const std::string* GetContent() const { return m_loaded ? &m_content : nullptr; }
    /// The decoded picture or OLE item; null while none is loaded.
    IMediaContent* GetLoadedContent() const { return m_decoded.get(); }
    /// The size of the content as the last load found it (zero before one, or when it failed).
    CSize GetExtent() const { return m_extentKnown ? m_extent : CSize(); }
    /// Forgets the extent, so that the next load measures it again (the file changed).
    void ForgetExtent();

    // Fitting and drawing, for diagrams, reports and record pages. The object is loaded for
    // the call (Lock and Unlock).
    /// The object's size fitted into box keeping its proportions, enlarged or reduced: of a
    /// picture its extent, or with crop that rectangle clamped to the extent; of an OLE object
    /// its rectangle; other multimedia gets a square as wide as the box is high. Zero when
    /// there is nothing to fit.
    CSize GetFittedSize(CSize box, const RECT* crop);
    /// Draws the object, or the part crop of it clamped to its extent, scaled into rect. False
    /// when there is nothing to draw (not loaded, empty crop, other multimedia).
    bool DrawInRect(CDC& dc, const RECT& rect, const RECT* crop);
    /// DrawInRect into the largest rectangle of the object's proportions centred in rect.
    bool DrawFitted(CDC& dc, const RECT& rect, const RECT* crop);
    bool HasLoadFailed() const { return m_loadFailed; }
    /// Why the last load failed; empty after a good one.
    const std::string& GetErrorText() const { return m_errorText; }

    // The owner's sub-fields. An owner without a FORM or TITL of its own is described by
    // those under its first file field, where GEDCOM 5.5.1 puts them.
    /// The first FILE or linked-file sub-field; null when none.
    const CDataNode* FindFileField() const;
    CDataNode* FindFileField();
    /// The FORM field that decides the kind; null when there is none.
    const CDataNode* FindFormatField() const;
    /// The FORM text, or empty.
    std::string GetFormatText() const;
    /// The TITL text trimmed at both ends, or empty.
    std::string GetTitle() const;
    /// The text of the first FILE or linked-file sub-field, as stored; empty when none. The file
    /// itself is looked for at LinkedFileLocation (linked_file_location.h) of that text.
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

protected:
    /// Takes new loaded content in place of what was loaded (an OLE item read again); the
    /// extent becomes the new content's.
    void ReplaceLoadedContent(std::unique_ptr<IMediaContent> content);

private:
    /// Reads the content from the embedded or linked file.
    void LoadObject();
    void UnloadObject();
    /// Decodes a picture or reads an OLE item from path with the installed loader.
    void LoadDecoded(const std::string& path, IMediaContentLoader& loader);
    /// The part of the loaded content to show: crop clamped to the extent, or all of it.
    bool PartToShow(const RECT* crop, CRect& part) const;
    /// The owner's own sub-field of fieldId, else that of its first file field.
    const CDataNode* FindDescription(int fieldId) const;

    bool m_embedded = false;
    MediaKind m_kind = MEDIA_KIND_NONE;
    bool m_loaded = false;
    std::string m_content;
    std::int32_t m_useCount = 0;
    bool m_loadFailed = false;
    std::string m_errorText;
    std::unique_ptr<IMediaContent> m_decoded;
    bool m_extentKnown = false;
    CSize m_extent;
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
