// database/multimedia/frame_note_record.h: what a frame note asks of the multimedia record that
// holds it.
#pragma once

class CDataNode;
class CRecordNode;

/// Implemented by the multimedia record class. A frame note of a picture carries a number; a
/// record that links to the multimedia record with that number shows the frame.
class IFrameNoteRecord {
public:
    virtual ~IFrameNoteRecord() = default;
    /// The record holding a multimedia link to this record whose frame-number sub-field equals
    /// the number held by numberField; null when that number is below 1 or no link has it.
    virtual CRecordNode* FindLinkingRecord(const CDataNode* numberField) const = 0;
};
