// controls/type_tree.h: the chooser of data references: a tree of record types, their fields in
// groups, relation shortcuts, qualifiers and linked records, that turns an item into path text.
#pragma once

#include "controls/tree_box.h"
#include "platform/ui/drawing/bitmap.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CFieldDef;
class CTypeTree;

/// What the host of a chooser is told.
class CTypeTreeListener {
public:
    virtual ~CTypeTreeListener() = default;
    virtual void OnTypeTreeSelChanged(CTypeTree* tree) = 0;
    /// A double-click on the text of a field that has nothing below it.
    virtual void OnTypeTreeItemActivated(CTypeTree* tree, CTreeBoxNode* item) = 0;
};

// Creation flags.
inline constexpr DWORD TTF_LINKED_RECORDS = 0x01; // link fields open into the linked record
inline constexpr DWORD TTF_QUALIFIERS = 0x02;     // qualifier leaves (":YEAR") are shown
inline constexpr DWORD TTF_SINGLE_TYPE = 0x08;    // one record type's fields at the top level
inline constexpr DWORD TTF_CAPTURE_CLICKS = 0x10; // a click captures the mouse
inline constexpr DWORD TTF_EXPAND_ALL = 0x20;     // every top item is expanded after filling

// The item word (a node's second data word); its definition is the first.
inline constexpr std::uint32_t TTI_LINKED = 0x80000000;      // inside a linked-record branch
inline constexpr std::uint32_t TTI_CUSTOM_TYPE = 0x40000000; // a custom event's or attribute's type
inline constexpr std::uint32_t TTI_RELATION = 0x10000000;
inline constexpr std::uint32_t TTI_FATHER = 0x11000000;
inline constexpr std::uint32_t TTI_MOTHER = 0x12000000;
inline constexpr std::uint32_t TTI_SPOUSE = 0x14000000;
inline constexpr std::uint32_t TTI_CHILD = 0x18000000;
inline constexpr std::uint32_t TTI_QUALIFIER = 0x0000FFFF; // a qualifier leaf's qualifier id

/// A tree box that is its own owner. Branches are filled the first time they open, so the
/// endless relation and link branches cost only what the user opens. Individuals and families
/// show their fields in groups (attributes, events, miscellaneous, sources, notes, LDS) after
/// their family links, and individuals end with the father, mother, spouse and child shortcuts.
/// An item's first data word is its field definition (null for a group), its second the item
/// word above; groups and custom types carry their text in the node.
class CTypeTree : public CTreeBox, private CTreeBoxOwner {
public:
    CTypeTree();
    ~CTypeTree() override;

    /// Makes the box and fills it with the record types whose bits are in typeMask. False
    /// when the window cannot be made or the types cannot be filled.
    bool Create(CWnd* parent, const RECT& rect, UINT id, DWORD style, DWORD flags,
                std::uint32_t typeMask, CTypeTreeListener* listener);
    /// Replaces the items by the record types of mask, in table order. In single-type mode the
    /// one type's fields stand at the top level, and a mask of two types fails.
    bool FillRecordTypes(std::uint32_t mask);
    /// Switching off removes every qualifier leaf; on adds them under every field already
    /// opened. Expand buttons follow.
    void ShowQualifiers(bool on);
    /// The same for the linked-record branches of link fields.
    void ShowLinkedRecords(bool on);

    /// The data-path text of an item (INDI.~FATH>BIRT.DATE:YEAR). addLinkMark ends a link
    /// item with ">" (its linked record); showFirstIndex writes "[1]" on steps that may repeat.
    /// False, with empty text, for no item and for a group.
    bool BuildDataRefPath(const CTreeBoxNode* item, std::string& text, bool addLinkMark,
                          bool showFirstIndex) const;
    /// The relation words of the item's path (Father.Birth.Date) when it goes through a
    /// relative; false otherwise.
    bool GetRelationText(const CTreeBoxNode* item, std::string& text) const;
    /// The tool tip of an item: the resource string of its qualifier's or field's command, a
    /// relation shortcut's text; empty for a group.
    void GetShortcutTip(const CTreeBoxNode* item, std::string& text) const;
    /// What an item shows.
    std::string GetItemLabel(const CTreeBoxNode* item) const;

    static const CFieldDef* ItemDef(const CTreeBoxNode* item)
    {
        return reinterpret_cast<const CFieldDef*>(item->m_data);
    }
    static std::uint32_t ItemWord(const CTreeBoxNode* item) { return std::uint32_t(item->m_data2); }

private:
    // The box's questions (CTreeBoxOwner).
    bool OnExpanding(CTreeBox* box, CTreeBoxNode* node, bool expand) override;
    bool OnDoubleClick(CTreeBox* box, CTreeBoxNode* node, int part) override;
    void OnSelChanged(CTreeBox* box) override;
    std::string GetItemText(CTreeBox* box, CTreeBoxNode* node, std::uintptr_t data, int column,
                            bool measure, CDC* dc, CSize* size) override;

    // Filling (type_tree_fill.cpp).
    /// The children, qualifiers and linked record of an item opened the first time.
    void FillTypeTree(CTreeBoxNode* item);
    /// The fields of def under parent (null: the top level), each item carrying mark.
    void FillChildren(CTreeBoxNode* parent, const CFieldDef* def, std::uint32_t mark);
    void FillRecordLayout(CTreeBoxNode* parent, const CFieldDef* recordDef, std::uint32_t mark);
    void FillFactGroup(CTreeBoxNode* group, const CFieldDef* recordDef, std::uint32_t flag,
                       std::uint32_t mark);
    /// The qualifier leaves of an item, placed after a child (null: first).
    void AddQualifiers(CTreeBoxNode* item, CTreeBoxNode* after);
    CTreeBoxNode* AddField(CTreeBoxNode* parent, const CFieldDef* def, std::uint32_t word,
                           const std::string& text = {});
    CTreeBoxNode* AddGroup(CTreeBoxNode* parent, const std::string& text, std::uint32_t mark);
    int ButtonState(const CFieldDef* def, std::uint32_t word) const;
    /// Gives every field item the expand button its definition calls for.
    void UpdateButtons();
    /// Whether an item's branch has been filled.
    static bool IsFilled(const CTreeBoxNode* item);
    CBitmap* RecordImage(const CFieldDef* topDef);

    CTypeTreeListener* m_listener = nullptr;
    bool m_expandAll = false;
    bool m_singleType = false;
    bool m_showQualifiers = false;
    bool m_showLinked = false;
    CBitmap m_closedFolder;
    CBitmap m_openFolder;
    CBitmap m_relationImage;
    std::map<int, std::unique_ptr<CBitmap>> m_recordImages; // by resource id
    const CFieldDef* m_fixedDef = nullptr;
    const CFieldDef* m_husbandDef = nullptr;
    const CFieldDef* m_wifeDef = nullptr;
    const CFieldDef* m_childDef = nullptr;
};
