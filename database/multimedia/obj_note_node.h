// database/multimedia/obj_note_node.h: a note inside a multimedia object, which may mark a frame (a
// numbered rectangle) of its picture.
#pragma once

#include "database/fields/edit_multi_node.h"
#include "platform/base/geometry.h"

class CNumberNode;
class CRecordNode;
class CRectNode;

/// A multi-line note of a multimedia record or object. Its sub-fields may hold a frame
/// rectangle (FIELD_OBJE_FRAME) and a frame number (FIELD_OBJE_LINK_NUMBER).
class CObjNoteNode final : public CEditMultiNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// In a multimedia record: optional label and ": ", then the display text of the record
    /// that links to this note's frame, a blank and the note's first line in double quotes
    /// within parentheses; without such a record the quoted first line alone. Elsewhere: the
    /// multi-line text's own form.
    bool GetText(std::string& text, int withLabel) const override;
    /// The values are equal without regard to case, and both notes lack a frame rectangle or
    /// both have equal ones.
    bool IsEqual(const CDataNode* other, const void* options) const override;
};

/// For a node of a multimedia record, the record that links to that record with the node's
/// frame number; null for a node of any other record or when none does.
CRecordNode* FindLinkingRecordOf(const CDataNode* node);

/// The frame sub-fields of a frame note: its first rectangle (FIELD_OBJE_FRAME) and number
/// (FIELD_OBJE_LINK_NUMBER) fields; null for a missing one.
void GetFrameFields(const CDataNode& note, CRectNode*& rect, CNumberNode*& number);
/// The values of a frame note's last rectangle and number fields: an empty rectangle and 0 for
/// a missing one.
void GetFrame(const CDataNode& note, CRect& rect, int& number);
