// reports/rpt_gen_rec.cpp: record reports and record titles.
#include "reports/rpt_gen_rec.h"

#include "common/preferences.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/name_node.h"
#include "database/kin/ind_rec.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_settings.h"

#include <set>
#include <vector>

std::string RptRecordTitle(const CRptBodyContext& body, const CRecordNode& record)
{
    const CRptSettings& settings = body.settings;
    std::string title;
    if (settings.Option(kRptRecordIds)) {
        title = "[";
        const CRecordType* type = GetRecordTypeTable().RowForDef(record.GetFieldDef());
        if (settings.Option(kRptRecordTypePrefix) && type && type->m_idLetter)
            title += type->m_idLetter;
        title += text::Format("%d] ", record.GetRecordNumber());
    }
    std::string name;
    if (const CIndRec* individual = AsIndividual(&record))
        name = body.Name(individual);
    else if (const CFamRec* family = AsFamily(&record))
        family->GetTitle(name);
    else
        record.GetText(name, 0);
    return title + name;
}

namespace {

/// A field still to write, with the tree-line prefix of its ancestors.
struct FieldStep {
    const CDataNode* field;
    int depth;
    std::string prefix;
};

/// A personal name as stored, its surname between slashes, upper-cased as names show it when
/// the preference asks; a name that marks no surname, or an empty one, as it shows.
std::string SlashedName(const CNameNode& name)
{
    std::string stored;
    name.GetDefaultText(stored);
    const std::size_t first = stored.find('/');
    const std::size_t second = first == std::string::npos ? first : stored.find('/', first + 1);
    const std::size_t end = second == std::string::npos ? stored.size() : second;
    std::string surname =
        first == std::string::npos ? std::string() : stored.substr(first + 1, end - first - 1);
    if (text::TrimView(surname).empty()) {
        std::string shown;
        name.GetText(shown, 0);
        return shown;
    }
    if (Prefs().m_surnamesInUpperCase)
        surname = text::ToUpper(surname);
    return stored.substr(0, first + 1) + surname + "/" +
           (second == std::string::npos ? std::string() : stored.substr(second + 1));
}

std::string FieldValue(const CRptBodyContext& body, const CDataNode& field)
{
    if (const CRecordNode* target = field.GetLinkTarget())
        return RptRecordTitle(body, *target);
    if (const auto* name = dynamic_cast<const CNameNode*>(&field);
        name && !name->IsEmpty() && body.settings.Option(kRptSlashesRoundSurnames))
        return SlashedName(*name);
    const int id = field.GetFieldId();
    if (id == FIELD_NOTE_TEXT || id == FIELD_TEXT)
        return RptOutputText(field, body.settings.Option(kRptPrivateNotes),
                             body.settings.Option(kRptRemoveBrackets));
    std::string value;
    field.GetText(value, 0);
    return value;
}

bool Shown(const CDataNode& field)
{
    const CFieldDef* def = field.GetFieldDef();
    return def && !def->IsHidden() && !(field.IsEmpty() && !field.GetFirstChild());
}

const CDataNode* NextShown(const CDataNode* field)
{
    while (field && !Shown(*field))
        field = field->GetNextSibling();
    return field;
}

} // namespace

bool RptWriteLinksAndNotes(CRptBodyContext& body, CRecordNode& record)
{
    const bool graphics = body.settings.Option(kRptShowGraphics);
    if (GetRecordTypeIndex(record.GetFieldDef()) == 7) {
        struct Visitor final : ILinkVisitor {
            std::vector<CRecordNode*> holders;
            void OnLink(CRecordNode*, CAssocNode*, CRecordNode* holder) override
            {
                if (holder)
                    holders.push_back(holder);
            }
        } visitor;
        EnumLinksTo(&record, &visitor, nullptr);
        for (const CRecordNode* holder : visitor.holders)
            if (!body.out.Row(RptParagraph("Link: " + RptRecordTitle(body, *holder), 1, 0,
                                           kRptLevelSection, kRptDataPart)))
                return false;
    }
    std::vector<FieldStep> stack;
    const auto pushChildren = [&](const CDataNode& parent, int depth, const std::string& prefix) {
        std::vector<const CDataNode*> children;
        for (const CDataNode* child = NextShown(parent.GetFirstChild()); child;
             child = NextShown(child->GetNextSibling()))
            children.push_back(child);
        for (std::size_t i = children.size(); i-- > 0;) {
            const bool last = i + 1 == children.size();
            stack.push_back(
                {children[i], depth, graphics ? prefix + (last ? "`- " : "|- ") : std::string()});
        }
    };
    pushChildren(record, 0, "");
    while (!stack.empty()) {
        if (body.Stopped())
            return false;
        FieldStep step = std::move(stack.back());
        stack.pop_back();
        std::string label;
        step.field->GetLabel(label);
        const std::string value = FieldValue(body, *step.field);
        std::string text = step.prefix + label;
        if (!value.empty())
            text += ": " + value;
        if (!body.out.Row(RptParagraph(text, 1, graphics ? 0 : step.depth, kRptLevelSection,
                                       kRptDataPart, body.citations.Marks(*step.field))))
            return false;
        // The children's prefix continues this field's line while it has later siblings.
        std::string prefix;
        if (graphics) {
            prefix = step.prefix.substr(0, step.prefix.size() - 3);
            prefix += step.prefix.ends_with("`- ") ? "   " : "|  ";
        }
        pushChildren(*step.field, step.depth + 1, prefix);
    }
    return true;
}

bool RptWriteRecordEntry(CRptBodyContext& body, CRecordNode& record)
{
    body.out.NextEntry();
    if (body.HeadingShown(kRptHdgRec))
        body.out.Heading(kRptLevelRecord, RptRecordTitle(body, record));
    // Individuals and families show their pictures, a multimedia record its own.
    const int type = GetRecordTypeIndex(record.GetFieldDef());
    if (type == 0 || type == 1 || type == 7) {
        const RptPictureSubject own[] = {
            {&record, type == 1 ? kRptPicFamilies : kRptPicIndividuals, ""}};
        RptWritePictures(body, own, kRptLevelRecord, false);
    }
    if (!RptWriteLinksAndNotes(body, record))
        return false;
    // An individual's families follow it, each once, in the order its links name them.
    if (type == 0 && body.settings.Option(kRptLinkedFamilyRecords)) {
        std::set<const CRecordNode*> written;
        for (const CDataNode* field = record.GetFirstChild(); field;
             field = field->GetNextSibling()) {
            CRecordNode* family = field->GetLinkTarget();
            if (!family || !AsFamily(family) || !written.insert(family).second)
                continue;
            body.out.Heading(kRptLevelSection, RptRecordTitle(body, *family));
            if (!RptWriteLinksAndNotes(body, *family))
                return false;
        }
    }
    return body.WriteEntrySources();
}

CRptGenRec::CRptGenRec(int recordType, std::string name, bool custom)
    : CRptGenBody(kRptTypeRec, std::move(name), custom)
{
    m_recordType = recordType;
}

bool CRptGenRec::WriteEntry(CRptBodyContext& body, CRecordNode& record)
{
    return RptWriteRecordEntry(body, record);
}
