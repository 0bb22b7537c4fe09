// database/multimedia/obj_rec.h: the multimedia record (OBJE), its embedded content and its BLOB
// lines.
#pragma once

#include "database/multimedia/frame_note_record.h"
#include "database/multimedia/media_item.h"
#include "database/records/record_node.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CBlobContinuationNumbers;
class CBlobNode;

/// A multimedia record. Its content is either linked (a file path in the linked-file field) or
/// embedded: stored in the GEDCOM file as BLOB lines and, while the data set is in memory, in a
/// working file of the record's own (a temporary file deleted with the record).
///
/// Loading: the loader builds the record's BLOB fields from the BLOB and CONT lines as usual.
/// When a record names a continuation record (its "Continued in" OBJE link), the loader takes
/// that link off the record; when the continuation arrives it calls ResolveBlobChain on the first
/// record of the chain, then destroys the continuation (which leaves the identifier maps by
/// itself). Once every line is read, DecodeBlobs on every multimedia record decodes the
/// gathered BLOB text into the working file. The text of a whole chain is decoded as one, since
/// only its very end carries the encoding's padding: decoding each record's part alone would
/// take content bytes of 0xFF at a record's end for padding. The multimedia id counter should
/// then be the highest number among the records that remain.
///
/// Saving: WriteGedcom writes the record, then its content as BLOB lines: 125 lines of 72
/// characters in the record itself (9000 characters, 6749 bytes of content, since the encoding
/// always adds a padding group), then continuation records of 380 lines each that follow it,
/// numbered by the current CBlobContinuationNumbers.
class CObjRec final : public CRecordNode, public CMediaItem, public IFrameNoteRecord {
public:
    /// Encoded characters in one BLOB line.
    static constexpr std::size_t kBlobLineChars = 72;
    /// CONT lines of the record itself, and of each continuation record.
    static constexpr std::size_t kRecordBlobLines = 125;
    static constexpr std::size_t kContinuationBlobLines = 380;

    CObjRec() noexcept;
    /// Deletes the working file.
    ~CObjRec() override;

    const CRuntimeClass* GetRuntimeClass() const override;
    /// The number of multimedia records alive.
    static int GetLiveCount();

    // CDataNode.
    /// The caption (see CMediaItem::GetCaption); withLabel is a flag.
    bool GetText(std::string& text, int withLabel) const override;
    /// The record's lines, then the embedded content as "1 BLOB" and "2 CONT" lines and any
    /// continuation records. Content that cannot be read or encoded is left out.
    bool WriteGedcom(int level, std::string& line) const override;
    /// The file field changed: the extent is measured again at the next load.
    void OnChildFileChanged() override;
    /// Similarity for merging: -10000 for another record type, -500 for another kind, -250
    /// embedded against linked; linked: 200 for equal paths (ignoring case), else 0; embedded:
    /// 500 for byte-equal content, -100 for different content or an unreadable file, 0 when
    /// neither has content.
    int MatchScore(const CRecordNode* other, const void* options) const override;
    /// Forgets the working file's size that MatchScore read, so that the next comparison reads
    /// the file as it is now (a compare starts so).
    void ResetCompareCache() const { m_workingFileSize.store(0, std::memory_order_relaxed); }

    // IFrameNoteRecord.
    CRecordNode* FindLinkingRecord(const CDataNode* numberField) const override;

    // Loading.
    /// Joins one continuation record of the chain that starts here: moves its BLOB fields, in
    /// order, behind this record's own (the loader then deletes the continuation).
    void ResolveBlobChain(CObjRec& other);
    /// Decodes the BLOB fields, joined as one text, into a new working file and deletes the
    /// fields: the object is then embedded. A record without BLOB fields keeps the content it
    /// has (none: it is linked), so a second call changes nothing. False, with the BLOB fields
    /// kept as they are (and so written back unchanged), when the text is not BLOB text or the
    /// working file cannot be written.
    bool DecodeBlobs();

    // Embedded and linked form.
    /// Reads the linked file into a new working file and makes the object embedded; false,
    /// leaving the record linked, when the file cannot be read or written.
    bool EmbedLinkedFile();
    /// EmbedLinkedFile for a linked object, marking the record changed; false when the object
    /// is already embedded or embedding failed.
    bool AbsorbLinkedObject();
    /// Writes the embedded content to path and links the record to it (the linked-file field
    /// is set, the working file dropped, the record marked changed). False, changing nothing,
    /// for a linked object, an object without content, or a failing read or write.
    bool ExpelToFile(const std::string& path);
    /// What a save dialog proposes when the content is written out: the file name (the title,
    /// with "." and the format as extension when the title has none; "Multimedia object" without
    /// a title) and the filter ("JPG files|*.jpg|All Files (*.*)|*.*||", or the last part alone
    /// without a format).
    void GetExpelProposal(std::string& fileName, std::string& filter) const;

    // Embedded OLE objects.
    /// Reads the OLE item anew from the working file (through the installed content loader),
    /// replacing the loaded one; false, keeping what was loaded, when there is no working file,
    /// no loader or the file cannot be read.
    bool LoadOleFromWorkingFile();
    /// Writes a loaded OLE item that changed back into the working file; true when nothing had
    /// to be written.
    bool SaveOleToWorkingFile() const;

    /// The working file; empty for a linked object or one without content.
    const std::string& GetWorkingFile() const { return m_workingFile; }

    // CMediaItem owner operations.
    bool GetEmbeddedFile(std::string& path) const override;
    CDataNode* GetHolderNode() override { return this; }
    const CDataNode* GetHolderNode() const override { return this; }

private:
    /// Writes content to a new working file named after the format, which replaces the old one;
    /// false, with the old one kept, when the file cannot be made or written.
    bool StoreContent(std::string_view content);
    /// Drops the working file and its name.
    void RemoveWorkingFile();
    std::vector<CBlobNode*> GetBlobFields() const;
    /// The working file's size, read once.
    bool GetWorkingFileSize(std::uint32_t& size) const;
    /// The whole content of a file; an empty file gives empty content. False when it cannot be
    /// read.
    static bool ReadFileContent(const std::string& path, std::string& content);
    /// The continuation records of the encoded text left after the record's own BLOB lines,
    /// each announced by a pointer line at pointerLevel (1 inside a continuation record).
    bool WriteContinuations(int pointerLevel, std::string& line, std::string_view rest,
                            const CBlobContinuationNumbers& numbers) const;

    std::string m_workingFile;
    // Read once; atomic, since a comparison of two records may ask from any thread.
    mutable std::atomic<std::uint32_t> m_workingFileSize = 0;
};

/// The numbers of BLOB continuation records while one file is written: numbers that no
/// multimedia record of the data set holds, from one above the highest, so that reading the
/// file back never joins the wrong records. The multimedia id counter is not touched. The
/// writer keeps one for the whole save; a record written while none exists numbers from one
/// above its own number and those of the records beside it.
class CBlobContinuationNumbers {
public:
    /// Numbers from above the highest multimedia record number of the data set, passing over
    /// the numbers that dangling multimedia links keep.
    CBlobContinuationNumbers();
    /// Numbers around the given record numbers (which are in use).
    explicit CBlobContinuationNumbers(std::vector<std::int32_t> usedNumbers);
    ~CBlobContinuationNumbers();
    CBlobContinuationNumbers(const CBlobContinuationNumbers&) = delete;
    CBlobContinuationNumbers& operator=(const CBlobContinuationNumbers&) = delete;

    /// The next number not in use; 0 when none is left.
    std::int32_t Take() const;
    /// The instance the writer holds; null while no file is written.
    static const CBlobContinuationNumbers* GetCurrent();

private:
    // Taking numbers changes no more than these, so a writer may hold its scope as a const.
    mutable std::vector<std::int32_t> m_used; // sorted
    mutable std::int32_t m_next = 1;
    mutable bool m_wrapped = false;
    const CBlobContinuationNumbers* m_previous = nullptr;
};
