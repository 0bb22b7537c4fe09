// database/kin/ind_rec_text.cpp: CIndRec: names, display text, the key-text search, the choice list
// and the context menu.
#include "database/kin/ind_rec.h"

#include "common/abort.h"
#include "database/dictionary/qualifier_table.h"
#include "database/fields/name_node.h"
#include "database/fields/text_value_node.h"
#include "database/nodes/node_choice_list.h"
#include "database/nodes/node_menu.h"
#include "database/records/fam_rec.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_set>

namespace {

constexpr std::string_view kNoName = "<no name>";
/// The buffer a relative's given name is taken into for a choice prefix.
constexpr int kPrefixNameBytes = 100;

/// The NAME sub-fields that the key-text search looks at besides the name itself.
constexpr int kNameParts[] = {FIELD_NPFX, FIELD_GIVN, FIELD_NICK,
                              FIELD_SPFX, FIELD_SURN, FIELD_NSFX};

bool NameFieldHolds(const CDataNode& name, std::span<const CSearchTerm> term, bool caseSensitive)
{
    if (name.ContainsText(term, caseSensitive, false))
        return true;
    for (const int part : kNameParts) {
        const CDataNode* field = name.FindChild(nullptr, part);
        if (field && field->ContainsText(term, caseSensitive, false))
            return true;
    }
    return false;
}

std::string GivenNameOf(const CIndRec& individual)
{
    char buffer[kPrefixNameBytes];
    return individual.GetGivenName(buffer, kPrefixNameBytes);
}

/// Adds the choices of one field id under holder, each shown as the prefix, the field's label
/// and its text (first line); a node already offered is not offered again.
class CChoiceAdder {
public:
    explicit CChoiceAdder(INodeChoiceList& list) : m_list(list) {}

    void Add(const CDataNode& holder, int fieldId, const std::string& prefix, bool all,
             bool skipEmpty)
    {
        for (CDataNode* field = holder.FindChild(nullptr, fieldId, skipEmpty); field;
             field = holder.FindChild(field, fieldId, skipEmpty)) {
            if (m_offered.insert(field).second)
                m_list.AddChoice(prefix + EntryText(*field), field);
            if (!all)
                return;
        }
    }

private:
    static std::string EntryText(const CDataNode& field)
    {
        std::string text;
        field.GetLabel(text);
        std::string value;
        field.GetText(value, 0);
        value = value.substr(0, value.find('\n'));
        if (!value.empty())
            text += ": " + value;
        return text;
    }

    INodeChoiceList& m_list;
    std::unordered_set<const CDataNode*> m_offered;
};

// ---- The context menu ---------------------------------------------------------------------

enum IndividualMenu { kAsChild, kAsSpouse, kAttribute, kEvent, kMisc, kSource, kNote, kMenuCount };
constexpr const char* kMenuTitles[kMenuCount] = {"Add Family (as Child)",
                                                 "Add Family (as Spouse)",
                                                 "Add Attribute",
                                                 "Add Event",
                                                 "Add Miscellaneous",
                                                 "Add Source",
                                                 "Add Note"};

/// The submenu that takes a link's items directly; kMisc for the links offered in a popup.
IndividualMenu MenuOfLink(int fieldId)
{
    switch (fieldId) {
    case FIELD_FAMC:
        return kAsChild;
    case FIELD_FAMS:
        return kAsSpouse;
    case FIELD_SOUR:
        return kSource;
    case FIELD_NOTE:
        return kNote;
    default:
        return kMisc;
    }
}

std::unique_ptr<INodeMenu> NewPopup(INodeMenu& menu)
{
    std::unique_ptr<INodeMenu> popup = menu.NewPopup();
    if (!popup)
        ThrowAbort();
    return popup;
}

/// The submenus of the individual's menu; the LDS submenu is made when first needed.
struct CIndividualMenus {
    explicit CIndividualMenus(INodeMenu& menu) : m_menu(menu)
    {
        for (auto& popup : m_popups)
            popup = NewPopup(menu);
    }
    INodeMenu& operator[](IndividualMenu which) { return *m_popups[which]; }
    INodeMenu& Lds()
    {
        if (!m_lds)
            m_lds = NewPopup(m_menu);
        return *m_lds;
    }
    INodeMenu& LdsOrMisc(bool lds) { return lds ? Lds() : *m_popups[kMisc]; }

    INodeMenu& m_menu;
    std::unique_ptr<INodeMenu> m_popups[kMenuCount];
    std::unique_ptr<INodeMenu> m_lds;
};

bool Offered(const CFieldDef* def)
{
    return !def->IsHidden() && !def->IsNotInAddMenu();
}

} // namespace

// ---- Names --------------------------------------------------------------------------------

const CNameNode* CIndRec::GetName() const
{
    return dynamic_cast<const CNameNode*>(FindChild(nullptr, FIELD_NAME, true));
}

bool CIndRec::GetText(std::string& text, int) const
{
    ComposeText(text, false);
    if (text.empty())
        text = kNoName;
    return true;
}

char* CIndRec::GetGivenName(char* buffer, int size) const
{
    std::string given;
    if (const CNameNode* name = GetName()) {
        given = name->GetFirstGivenName(false);
        if (given.empty() && size > 2)
            given = "?";
    } else if (size > 9) {
        given = kNoName;
    }
    CopyTextToBuffer(given, buffer, size);
    return buffer;
}

char* CIndRec::CopyNameText(char* buffer, int size) const
{
    if (const CNameNode* name = GetName())
        name->GetTextBuf(buffer, size, QUAL_PREFERRED);
    else
        CopyTextToBuffer({}, buffer, size);
    return buffer;
}

bool CIndRec::ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const
{
    if (terms.empty())
        return false;
    for (const CSearchTerm& term : terms) {
        bool found = false;
        for (const CDataNode* name = FindChild(nullptr, FIELD_NAME); name && !found;
             name = FindChild(name, FIELD_NAME))
            found = NameFieldHolds(*name, std::span(&term, 1), caseSensitive);
        if (!found)
            return false;
    }
    return true;
}

// ---- The choice list ----------------------------------------------------------------------

void CIndRec::FillChoiceList(INodeChoiceList& list, bool restricted)
{
    CRecordNode::FillChoiceList(list, restricted);
    const bool male = GetSex() == SEX_MALE;
    for (CFamRec* family = GetNextSpouseFamily(nullptr); family;
         family = GetNextSpouseFamily(family)) {
        CChoiceAdder adder(list);
        const CIndRec* spouse = male ? family->GetWife() : family->GetHusband();
        const std::string spouseName = spouse ? GivenNameOf(*spouse) : "<no spouse>";
        if (spouse) {
            const std::string prefix = "Spouse (" + spouseName + ") ";
            for (const int fieldId : {FIELD_NAME, FIELD_BIRT, FIELD_DEAT})
                adder.Add(*spouse, fieldId, prefix, true, false);
            adder.Add(*spouse, FIELD_NOTE_TEXT, prefix, false, false);
        }
        const std::string marriage = "Marr. (to " + spouseName + ") ";
        adder.Add(*family, FIELD_MARR, marriage, true, false);
        adder.Add(*family, FIELD_NOTE_TEXT, marriage, false, true);
        for (const CDataNode* fact = family->GetNextFact(nullptr, false); fact;
             fact = family->GetNextFact(fact, false))
            adder.Add(*family, fact->GetFieldId(), marriage, false, true);
        for (const CIndRec* child = family->GetNextChild(nullptr); child;
             child = family->GetNextChild(child)) {
            const std::string prefix = "Child (" + GivenNameOf(*child) + ") ";
            for (const int fieldId : {FIELD_NAME, FIELD_BIRT, FIELD_ADOP})
                adder.Add(*child, fieldId, prefix, true, false);
        }
    }
}

// ---- The context menu ---------------------------------------------------------------------

bool CIndRec::AddContextMenu(INodeMenu& menu)
{
    CIndividualMenus menus(menu);
    const auto atMax = [this](const CFieldDef* def) {
        const auto max = static_cast<std::int16_t>(def->GetMaxCount());
        return max > 0 && CountChildrenByDef(def) >= max;
    };
    const CFieldDef* def = GetFieldDef() ? GetFieldDef()->GetFirstChild() : nullptr;
    while (def) {
        const CFieldDef* reference = def->GetCopyReference();
        if (reference && !reference->GetLabel().empty()) {
            const std::string& group = reference->GetLabel();
            if (group == "Attribute" || group == "Event")
                def = AddGroupMenuItems(def, menus[group == "Event" ? kEvent : kAttribute], false);
            else
                def = AddGroupMenuItems(def, menus.LdsOrMisc(reference->IsLds()), true);
            continue;
        }
        const CFieldDef* next = def->GetNextSibling();
        const int fieldId = def->GetFieldId();
        if (!Offered(def)) {
            def = next;
        } else if (def->GetDataType() == FDT_LINK) {
            const IndividualMenu direct = MenuOfLink(fieldId);
            bool skipNext = false;
            if (direct != kMisc)
                AddLinkMenuItems(def, menus[direct], false, skipNext, false);
            else
                AddLinkMenuItems(def, menus.LdsOrMisc(def->IsLds()), true, skipNext, false);
            def = skipNext && next ? next->GetNextSibling() : next;
        } else {
            if (fieldId == FIELD_NAME || fieldId == FIELD_SEX)
                menu.AppendItem(def->GetCommandId(false), def->GetLabel(), atMax(def));
            else if (!def->HasFlag(FDF_USER_DEFINED))
                menus.LdsOrMisc(def->IsLds())
                    .AppendItem(def->GetCommandId(false), "Add " + def->GetLabel(), atMax(def));
            def = next;
        }
    }
    if (menus.m_lds)
        menus[kMisc].AppendPopup(std::move(menus.m_lds), "LDS");
    for (int i = 0; i < kMenuCount; ++i)
        menu.AppendPopup(std::move(menus.m_popups[i]), kMenuTitles[i]);
    menu.AppendSeparator();
    menu.AppendItem(ID_RECORD_PROPERTIES, "Properties", false);
    return true;
}
