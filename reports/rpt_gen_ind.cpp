// reports/rpt_gen_ind.cpp: the Individual Summary report and the person items.
#include "reports/rpt_gen_ind.h"

#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_settings.h"
#include "reports/rpt_settings_tables.h"

#include <vector>

namespace {

/// Catalogue rows of the individual items.
enum IndItem : int {
    kItemName,
    kItemSex,
    kItemPrefix,
    kItemSuffix,
    kItemNickname,
    kItemAltNames,
    kItemGivenUsed,
    kItemRecordId,
    kItemCustomId,
    kItemParents,
    kItemAltParents,
    kItemSpouses,
    kItemCauseOfDeath,
};

std::string TextOf(const CDataNode* node)
{
    std::string text;
    if (node)
        node->GetText(text, 0);
    return text;
}

/// Writes the rows of one item; counts them.
class CItemRows {
public:
    CItemRows(CRptBodyContext& body, RptPersonRole role, int show)
        : m_body(body), m_role(role), m_show(show)
    {
    }
    /// A row of label and value (the field's marks when there is a field, then those of also);
    /// an empty value as the show mode says.
    bool Row(const std::string& label, std::string value, const CDataNode* field = nullptr,
             const CDataNode* also = nullptr)
    {
        if (value.empty()) {
            if (m_show != kRptItemShowEmpty)
                return true;
            if (m_role != RptPersonRole::Summary)
                value = "-";
        }
        std::string marks = field ? m_body.citations.Marks(*field) : std::string();
        const std::string more = also ? m_body.citations.Marks(*also) : std::string();
        if (!marks.empty() && !more.empty())
            marks += ',';
        marks += more;
        ++written;
        return m_body.out.FieldRow(kRptLevelSection, label, value, marks);
    }
    int written = 0;

private:
    CRptBodyContext& m_body;
    RptPersonRole m_role;
    int m_show;
};

const CDataNode* NameChild(const CIndRec& person, int fieldId)
{
    const CDataNode* name = person.FindChild(nullptr, FIELD_NAME, true);
    return name ? name->FindChild(nullptr, fieldId, true) : nullptr;
}

bool WriteItem(CRptBodyContext& body, CIndRec& person, RptPersonRole role, const CRptItem& item,
               CItemRows& rows)
{
    if (item.m_index < 0) {
        std::string value;
        item.m_expression.Expand(value, &person);
        return rows.Row(item.m_label + ":", value);
    }
    const bool child = role == RptPersonRole::Child;
    switch (item.m_index) {
    case kItemName: {
        // The citations of the whole record are marked against the name.
        const CDataNode* name = person.FindChild(nullptr, FIELD_NAME, true);
        return rows.Row("Name:", TextOf(name), name,
                        body.settings.SourceFlag(kRptWholeRecordSources) ? &person : nullptr);
    }
    case kItemSex: {
        const CDataNode* sex = person.FindChild(nullptr, FIELD_SEX, true);
        const std::string text = TextOf(sex);
        return rows.Row("Sex:", text.empty() ? "Unknown" : text, sex);
    }
    case kItemPrefix:
        return rows.Row("Name Prefix:", TextOf(NameChild(person, FIELD_NPFX)),
                        NameChild(person, FIELD_NPFX));
    case kItemSuffix:
        return rows.Row("Name Suffix:", TextOf(NameChild(person, FIELD_NSFX)),
                        NameChild(person, FIELD_NSFX));
    case kItemNickname:
        return rows.Row("Nickname:", TextOf(NameChild(person, FIELD_NICK)),
                        NameChild(person, FIELD_NICK));
    case kItemAltNames: {
        const CDataNode* first = person.FindChild(nullptr, FIELD_NAME, true);
        for (const CDataNode* name = first ? person.FindChild(first, FIELD_NAME, true) : nullptr;
             name; name = person.FindChild(name, FIELD_NAME, true)) {
            if (!rows.Row("Alt. Name:", TextOf(name), name))
                return false;
        }
        return true;
    }
    case kItemGivenUsed:
        return rows.Row("Given Name Used:", TextOf(NameChild(person, FIELD_EXT_USED)),
                        NameChild(person, FIELD_EXT_USED));
    case kItemRecordId:
        return rows.Row("Record Id:", std::to_string(person.GetRecordNumber()));
    case kItemCustomId: {
        const CDataNode* refn = person.FindChild(nullptr, FIELD_REFN, true);
        return rows.Row("Custom Id:", TextOf(refn), refn);
    }
    case kItemParents: {
        if (child)
            return true;
        const CFamRec* family = person.GetNextParentFamily(nullptr);
        return rows.Row("Father:", family ? body.Name(family->GetHusband()) : std::string()) &&
               rows.Row("Mother:", family ? body.Name(family->GetWife()) : std::string());
    }
    case kItemAltParents: {
        if (child)
            return true;
        const CFamRec* family = person.GetNextParentFamily(nullptr);
        int number = 1;
        while (family && (family = person.GetNextParentFamily(family)) != nullptr) {
            ++number;
            const std::string father = body.Name(family->GetHusband());
            const std::string mother = body.Name(family->GetWife());
            if (!father.empty() && !rows.Row(text::Format("Father (%d):", number), father))
                return false;
            if (!mother.empty() && !rows.Row(text::Format("Mother (%d):", number), mother))
                return false;
        }
        return true;
    }
    case kItemSpouses: {
        if (role == RptPersonRole::Husband || role == RptPersonRole::Wife)
            return true;
        const bool one = person.CountSpouseFamilies(false) == 1;
        int number = 0;
        for (const CFamRec* family = person.GetNextSpouseFamily(nullptr); family;
             family = person.GetNextSpouseFamily(family)) {
            ++number;
            const CIndRec* spouse = person.GetSpouseInFamily(family);
            if (spouse &&
                !rows.Row(one ? std::string("Spouse:") : text::Format("Spouse %d:", number),
                          body.Name(spouse)))
                return false;
        }
        return true;
    }
    case kItemCauseOfDeath: {
        const CDataNode* death = person.FindChild(nullptr, FIELD_DEAT, true);
        const CDataNode* cause = death ? death->FindChild(nullptr, FIELD_CAUS, true) : nullptr;
        return rows.Row("Cause of Death:", TextOf(cause), cause);
    }
    default:
        return true;
    }
}

/// Rows of the facts the filter lets through; the number written, -1 to stop.
int WriteFacts(CRptBodyContext& body, const CRecordNode& record, RptFactFilterMode mode,
               const RptFactInList& filter, const CIndRec* individual)
{
    int written = 0;
    for (const CDataNode* fact = RptNextFact(record, nullptr, mode, filter); fact;
         fact = RptNextFact(record, fact, mode, filter)) {
        ++written;
        if (body.Stopped() ||
            !RptWriteFactRow(body.out, body.citations, kRptLevelSection, *fact, body.DateFormat(),
                             body.AgeOf(individual), body.AgesCalculated()))
            return -1;
    }
    return written;
}

/// The notes and addresses of the facts, when the settings ask for them.
bool WriteFactNotes(CRptBodyContext& body, const CRecordNode& record, RptFactFilterMode mode,
                    const RptFactInList& filter)
{
    const CRptSettings& settings = body.settings;
    if (!settings.Option(kRptEventNotes) && !settings.Option(kRptEventAddrs))
        return true;
    return RptWriteFactDetails(body.out, record, body.HeadingText(kRptHdgAddInfo, nullptr), mode,
                               filter, settings.Option(kRptPrivateNotes),
                               settings.Option(kRptRemoveBrackets));
}

bool Section(const CRptSettings& settings, RptOption option)
{
    return settings.Option(option);
}

class CIndSummary {
public:
    CIndSummary(CRptBodyContext& body, CIndRec& person) : m_body(body), m_person(person) {}

    bool Write()
    {
        const CRptSettings& settings = m_body.settings;
        m_body.out.NextEntry();
        m_body.out.Heading(kRptLevelRecord, m_body.HeadingText(kRptHdgRecInd, &m_person));
        const RptPictureSubject own[] = {{&m_person, kRptPicIndividuals, ""}};
        RptWritePictures(m_body, own, kRptLevelRecord, false);
        if (Section(settings, kRptSectionMain) && !NameBlock())
            return false;
        if (Section(settings, kRptSectionIndEvents) && !Events())
            return false;
        if (Section(settings, kRptSectionSpouses) && !Marriages())
            return false;
        if (Section(settings, kRptSectionLdsOrdinances) && !Ordinances())
            return false;
        if ((Section(settings, kRptSectionIndNotes) || Section(settings, kRptSectionMarrNotes)) &&
            !Notes())
            return false;
        if (m_written == 0 && !m_body.out.Row(RptParagraph(settings.m_format.m_emptySectionText, 0,
                                                           1, kRptLevelSection, kRptDataPart)))
            return false;
        return m_body.WriteEntrySources();
    }

private:
    bool NameBlock()
    {
        m_body.out.BeginTable(kRptLevelSection, 2);
        const int rows = RptWritePersonItems(m_body, m_person, RptPersonRole::Summary);
        m_body.out.EndTable();
        m_written += std::max(rows, 0);
        return rows >= 0;
    }

    bool Events()
    {
        const int show = m_body.settings.m_format.m_headings[kRptHdgIndEvents].m_show;
        const bool any = RptNextFact(m_person, nullptr, m_body.IndMode(), m_body.IndFilter());
        if (!any && show != kRptHeadingShowEmpty)
            return true;
        m_body.out.Heading(kRptLevelSection, m_body.HeadingText(kRptHdgIndEvents, &m_person));
        m_body.out.BeginTable(kRptLevelSection, 3);
        const int rows =
            WriteFacts(m_body, m_person, m_body.IndMode(), m_body.IndFilter(), &m_person);
        if (rows == 0 && !Empty())
            return false;
        m_body.out.EndTable();
        m_written += std::max(rows, 1);
        return rows >= 0 && WriteFactNotes(m_body, m_person, m_body.IndMode(), m_body.IndFilter());
    }

    bool Marriages()
    {
        const int count = m_person.CountSpouseFamilies(false);
        int number = 0;
        for (const CFamRec* family = m_person.GetNextSpouseFamily(nullptr); family;
             family = m_person.GetNextSpouseFamily(family)) {
            ++number;
            if (m_body.HeadingShown(kRptHdgMarriage))
                m_body.out.Heading(kRptLevelSection, count == 1
                                                         ? std::string("Marriage")
                                                         : text::Format("Marriage (%d)", number));
            const CIndRec* spouse = m_person.GetSpouseInFamily(family);
            std::vector<RptPictureSubject> pictured = {{family, kRptPicFamilies, ""},
                                                       {spouse, kRptPicSpouses, "Spouse: "}};
            for (const CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child))
                pictured.push_back({child, kRptPicChildren, "Child: "});
            RptWritePictures(m_body, pictured, kRptLevelSection, false);
            m_body.out.BeginTable(kRptLevelSection, 3);
            if (!m_body.out.FieldRow(kRptLevelSection,
                                     "Spouse: ", spouse ? m_body.Name(spouse) : "(unknown)"))
                return false;
            ++m_written;
            for (const CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child)) {
                ++m_written;
                if (!m_body.out.FieldRow(kRptLevelSection, "Child: ", m_body.Name(child)))
                    return false;
            }
            const int rows =
                WriteFacts(m_body, *family, m_body.FamMode(), m_body.FamFilter(), nullptr);
            m_body.out.EndTable();
            if (rows < 0 || !WriteFactNotes(m_body, *family, m_body.FamMode(), m_body.FamFilter()))
                return false;
            m_written += rows;
        }
        return true;
    }

    bool Ordinances()
    {
        std::vector<std::pair<const CDataNode*, const CFamRec*>> ordinances;
        for (const CDataNode* lds = m_person.GetNextLdsOrdinance(nullptr, true); lds;
             lds = m_person.GetNextLdsOrdinance(lds, true))
            ordinances.emplace_back(lds, nullptr);
        for (const CFamRec* family = m_person.GetNextSpouseFamily(nullptr); family;
             family = m_person.GetNextSpouseFamily(family))
            for (const CDataNode* lds = family->GetNextLdsOrdinance(nullptr, true); lds;
                 lds = family->GetNextLdsOrdinance(lds, true))
                ordinances.emplace_back(lds, family);
        if (ordinances.empty())
            return true;
        m_body.out.Heading(kRptLevelSection, m_body.HeadingText(kRptHdgLds, &m_person));
        m_body.out.BeginTable(kRptLevelSection, 4);
        bool going = true;
        for (const auto& [lds, family] : ordinances) {
            if (!going)
                break;
            going = RptWriteLdsRow(m_body, *lds, &m_person, family);
            ++m_written;
        }
        m_body.out.EndTable();
        return going;
    }

    bool Notes()
    {
        const CRptSettings& settings = m_body.settings;
        if (Section(settings, kRptSectionIndNotes)) {
            const std::vector<RptNote> notes = RptNotesOf(m_body, m_person);
            for (std::size_t i = 0; i < notes.size(); ++i) {
                std::string label = notes.size() == 1
                                        ? std::string("Individual Note")
                                        : text::Format("Individual Note %d", int(i + 1));
                if (notes[i].shared)
                    label += " (shared)";
                if (!Note(kRptHdgIndNotes, label, notes[i]))
                    return false;
            }
        }
        if (!Section(settings, kRptSectionMarrNotes))
            return true;
        int number = 0;
        for (const CFamRec* family = m_person.GetNextSpouseFamily(nullptr); family;
             family = m_person.GetNextSpouseFamily(family)) {
            ++number;
            const CIndRec* spouse = m_person.GetSpouseInFamily(family);
            const std::string name =
                spouse ? m_body.Name(spouse) : text::Format("Spouse %d (name not known)", number);
            const std::vector<RptNote> notes = RptNotesOf(m_body, *family);
            for (std::size_t i = 0; i < notes.size(); ++i) {
                const std::string label =
                    i == 0 ? "Note on Marriage to " + name
                           : text::Format("Note on Marriage to %s (%d)", name, int(i + 1));
                if (!Note(kRptHdgMarrNotes, label, notes[i]))
                    return false;
            }
        }
        return true;
    }

    bool Note(int group, const std::string& label, const RptNote& note)
    {
        m_written += 2;
        return RptWriteGroupedNote(m_body, group, m_notesHeaded, label, note);
    }

    bool Empty()
    {
        return m_body.out.Row(RptParagraph(m_body.settings.m_format.m_emptySectionText, 0, 1,
                                           kRptLevelSection, kRptDataPart));
    }

    CRptBodyContext& m_body;
    CIndRec& m_person;
    int m_written = 0;
    int m_notesHeaded = -1;
};

} // namespace

int RptWritePersonItems(CRptBodyContext& body, CIndRec& person, RptPersonRole role)
{
    int written = 0;
    for (const CRptItem& item : body.settings.m_contents.m_items[kRptIndItems]) {
        if (item.m_show == kRptItemHide)
            continue;
        CItemRows rows(body, role, item.m_show);
        const bool going = WriteItem(body, person, role, item, rows);
        written += rows.written;
        if (!going)
            return -1;
    }
    return written;
}

bool RptWriteIndividualSummary(CRptBodyContext& body, CIndRec& person)
{
    return CIndSummary(body, person).Write();
}

CRptGenInd::CRptGenInd(std::string name, bool custom)
    : CRptGenBody(kRptTypeInd, std::move(name), custom)
{
    m_recordType = 0;
}

bool CRptGenInd::WriteEntry(CRptBodyContext& body, CRecordNode& record)
{
    CIndRec* person = AsIndividual(&record);
    return !person || RptWriteIndividualSummary(body, *person);
}
