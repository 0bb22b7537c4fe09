// database/fields/enum_node.h: a field whose value is one entry of its definition's value list
// (data type 3), such as an individual's SEX.
#pragma once

#include "database/nodes/data_node.h"

#include <cstdint>
#include <string>
#include <string_view>

/// The key that stands for the empty value in a value list.
inline constexpr std::string_view kEnumNoValueKey = "<noval>";

/// An enumerated value. The node keeps the GEDCOM key; its place in the value list (the index
/// the choice list and queries use) follows from it, -1 for an empty value. A key the list does
/// not know, read from a file, is kept as it stands: it shows as itself, is written back
/// unchanged and counts as index -1, so no value a file holds is lost on saving.
///
/// The key takes no more room than the tail of the CDataNode part: a listed key is kept as its
/// place in the list, an unlisted one of up to kInlineKeyBytes bytes in the node, and a longer
/// unlisted one (rare) in a table beside the nodes, which the node leaves when it is freed.
class CEnumNode : public CDataNode {
public:
    static constexpr std::size_t kInlineKeyBytes = 3;

    CEnumNode() noexcept = default;
    ~CEnumNode() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// Loads the value into the control, then shows and focuses it; null when no control could
    /// be made.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// The control is a drop-down list of the value list. Save: the selected entry (none, or a
    /// "<noval>" entry, is the empty value) replaces a value it differs from; a kept unknown key
    /// stays while nothing is selected. Load: the entry is selected, or nothing for an empty or
    /// unknown value. False when the control fails.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    bool IsEmpty() const override { return m_keyForm == 0; }
    /// Optional label and ": ", then the entry's display text (an unknown key as itself).
    bool GetText(std::string& text, int withLabel) const override;
    /// From a GEDCOM value: the key, listed or not.
    bool SetText(std::string_view text) override;
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    /// The keys are equal (and so the entries).
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// With no qualifier and the operator "=": the index equals value.
    bool MatchEnum(int qualifier, int op, int value) const override;
    /// "level TAG key", then the children at level + 1; nothing for an empty childless field.
    bool WriteGedcom(int level, std::string& line) const override;

    /// The entry's index in the value list; -1 for an empty or unknown value.
    int GetValueIndex() const;
    /// Whether the key is one of the value list's, known from the node's own byte.
    bool HoldsListedKey() const { return m_keyForm == kListedKey; }
    /// Stores the entry of that index (any index outside the list, or a "<noval>" entry,
    /// empties the value) and marks the node changed.
    void SetValueIndex(int index);
    /// The GEDCOM key as stored; empty for an empty value.
    std::string_view GetKey() const;

protected:
    /// The key of entry index, empty for an index outside the list or a "<noval>" entry.
    std::string KeyOfIndex(int index) const;
    void StoreIndex(int index, bool notify);

private:
    // m_keyForm: 0 to kInlineKeyBytes, an unlisted key of that length in m_keyBytes (0 is the
    // empty value); kListedKey, the list index in the first two bytes of m_keyBytes; kKeptKey,
    // the key in the table of long unlisted keys.
    static constexpr unsigned char kListedKey = 0xFE;
    static constexpr unsigned char kKeptKey = 0xFF;

    /// Replaces the key; an empty key is the empty value.
    void StoreKey(std::string_view key);
    void ForgetKey() noexcept;
    std::uint16_t ListedIndex() const;

    // First, and of alignment 1, so that they pack into the tail of the CDataNode part.
    unsigned char m_keyForm = 0;
    unsigned char m_keyBytes[kInlineKeyBytes] = {};
};
