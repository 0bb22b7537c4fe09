// reports/rpt_gen_fam.cpp: the Family Group Sheet.
#include "reports/rpt_gen_fam.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_gen_ind.h"
#include "reports/rpt_settings.h"

#include <vector>

namespace {

class CFamilySheet {
public:
    CFamilySheet(CRptBodyContext& body, CFamRec& family)
        : m_body(body), m_settings(body.settings), m_family(family), m_husband(family.GetHusband()),
          m_wife(family.GetWife())
    {
    }

    bool Write()
    {
        m_body.out.NextEntry();
        std::string title;
        if (m_body.HeadingShown(kRptHdgRecFam))
            m_family.GetTitle(title);
        m_body.out.Heading(kRptLevelRecord, title);
        const RptPictureSubject own[] = {{&m_family, kRptPicFamilies, ""}};
        RptWritePictures(m_body, own, kRptLevelRecord, true, &m_pictured);
        if (m_settings.Option(kRptSectionMain) && !Summary())
            return false;
        if (!Person(m_husband, RptPersonRole::Husband, 0) ||
            !Person(m_wife, RptPersonRole::Wife, 0))
            return false;
        int number = 0;
        for (CIndRec* child = m_family.GetNextChild(nullptr); child;
             child = m_family.GetNextChild(child))
            if (m_body.Stopped() || !Person(child, RptPersonRole::Child, ++number))
                return false;
        if (m_settings.Option(kRptSectionLdsOrdinances) && !Ordinances())
            return false;
        if (!Notes())
            return false;
        if (!m_body.WriteEntrySources())
            return false;
        return m_written > 0 || EmptyRow();
    }

private:
    bool Details() const
    {
        return m_settings.Option(kRptEventNotes) || m_settings.Option(kRptEventAddrs);
    }

    bool FactDetails(const CRecordNode& record, RptFactFilterMode mode, const RptFactInList& filter)
    {
        return !Details() ||
               RptWriteFactDetails(m_body.out, record, m_body.HeadingText(kRptHdgAddInfo, nullptr),
                                   mode, filter, m_settings.Option(kRptPrivateNotes),
                                   m_settings.Option(kRptRemoveBrackets));
    }

    bool Facts(const CRecordNode& record, RptFactFilterMode mode, const RptFactInList& filter,
               const CIndRec* individual)
    {
        for (const CDataNode* fact = RptNextFact(record, nullptr, mode, filter); fact;
             fact = RptNextFact(record, fact, mode, filter)) {
            ++m_written;
            if (m_body.Stopped() ||
                !RptWriteFactRow(m_body.out, m_body.citations, kRptLevelSection, *fact,
                                 m_body.DateFormat(), m_body.AgeOf(individual),
                                 m_body.AgesCalculated()))
                return false;
        }
        return true;
    }

    bool Row(std::string_view label, std::string_view value)
    {
        ++m_written;
        return m_body.out.FieldRow(kRptLevelSection, label, value);
    }

    bool Summary()
    {
        // Three columns, so that the family's fact rows keep date and place side by side.
        m_body.out.BeginTable(kRptLevelSection, 3);
        bool going = Row("Husband:", m_husband ? m_body.Name(m_husband) : "(unknown)") &&
                     Row("Wife:", m_wife ? m_body.Name(m_wife) : "(unknown)");
        bool first = true;
        for (const CIndRec* child = m_family.GetNextChild(nullptr); going && child;
             child = m_family.GetNextChild(child)) {
            going = !m_body.Stopped() && Row(first ? "Children:" : "", m_body.Name(child));
            first = false;
        }
        going = going && Facts(m_family, m_body.FamMode(), m_body.FamFilter(), nullptr);
        m_body.out.EndTable();
        return going && FactDetails(m_family, m_body.FamMode(), m_body.FamFilter());
    }

    bool Person(CIndRec* person, RptPersonRole role, int number)
    {
        std::string label = role == RptPersonRole::Husband ? "Husband: "
                            : role == RptPersonRole::Wife  ? "Wife: "
                                                           : text::Format("Child %d: ", number);
        if (person)
            label += m_body.Name(person);
        m_body.out.Heading(kRptLevelSection, label);
        if (!person)
            return true;
        const bool child = role == RptPersonRole::Child;
        const CFamRec* own = child ? person->GetNextSpouseFamily(nullptr) : nullptr;
        const RptPictureSubject pictured[] = {
            {person, child ? kRptPicChildren : kRptPicIndividuals, ""},
            {own ? person->GetSpouseInFamily(own) : nullptr, kRptPicSpouses, "Spouse: "}};
        RptWritePictures(m_body, pictured, kRptLevelSection, false, &m_pictured);
        m_body.out.BeginTable(kRptLevelSection, 3);
        const int rows = RptWritePersonItems(m_body, *person, role);
        if (rows < 0)
            return false;
        m_written += rows;
        const bool events = m_settings.Option(kRptSectionIndEvents);
        if (events && !Facts(*person, m_body.IndMode(), m_body.IndFilter(), person))
            return false;
        m_body.out.EndTable();
        return !events || FactDetails(*person, m_body.IndMode(), m_body.IndFilter());
    }

    bool Ordinances()
    {
        m_body.out.Heading(kRptLevelSection, m_body.HeadingText(kRptHdgLds, &m_family));
        m_body.out.BeginTable(kRptLevelSection, 4);
        bool going = true, any = false;
        for (const CDataNode* lds = m_family.GetNextLdsOrdinance(nullptr, true); lds && going;
             lds = m_family.GetNextLdsOrdinance(lds, true)) {
            any = true;
            ++m_written;
            going = RptWriteLdsRow(m_body, *lds, m_husband ? m_husband : m_wife, &m_family);
        }
        if (!any)
            going = EmptyRow();
        m_body.out.EndTable();
        return going;
    }

    bool PersonNotes(const CIndRec* person, const std::string& prefix)
    {
        if (!person)
            return true;
        const std::vector<RptNote> notes = RptNotesOf(m_body, *person);
        for (std::size_t i = 0; i < notes.size(); ++i) {
            std::string label = prefix;
            if (notes.size() > 1)
                label += text::Format(" (%d)", int(i + 1));
            if (notes[i].shared)
                label += " - shared note";
            if (!Note(kRptHdgIndNotes, label, notes[i]))
                return false;
        }
        return true;
    }

    std::string NameOrNone(const CIndRec* person) const
    {
        const std::string name = m_body.Name(person);
        return name.empty() ? "(no name)" : name;
    }

    bool Notes()
    {
        if (m_settings.Option(kRptSectionMarrNotes)) {
            const std::vector<RptNote> notes = RptNotesOf(m_body, m_family);
            for (std::size_t i = 0; i < notes.size(); ++i)
                if (!Note(kRptHdgMarrNotes,
                          notes.size() > 1 ? text::Format("Note on Marriage %d", int(i + 1))
                                           : std::string("Note on Marriage"),
                          notes[i]))
                    return false;
        }
        if (m_settings.Option(kRptSectionIndNotes) &&
            (!PersonNotes(m_husband, "Note on Husband: " + NameOrNone(m_husband)) ||
             !PersonNotes(m_wife, "Note on Wife: " + NameOrNone(m_wife))))
            return false;
        if (m_settings.Option(kRptSectionIndNotes2)) {
            int number = 0;
            for (const CIndRec* child = m_family.GetNextChild(nullptr); child;
                 child = m_family.GetNextChild(child)) {
                ++number;
                if (!PersonNotes(child,
                                 text::Format("Note on Child %d: %s", number, NameOrNone(child))))
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

    bool EmptyRow()
    {
        return m_body.out.Row(RptParagraph(m_settings.m_format.m_emptySectionText, 0, 1,
                                           kRptLevelSection, kRptDataPart));
    }

    CRptBodyContext& m_body;
    /// The family and the people pictured so far on the sheet: each is pictured once.
    std::set<const CRecordNode*> m_pictured;
    const CRptSettings& m_settings;
    CFamRec& m_family;
    CIndRec* m_husband;
    CIndRec* m_wife;
    int m_written = 0;
    int m_notesHeaded = -1;
};

} // namespace

bool RptWriteFamilyGroupSheet(CRptBodyContext& body, CFamRec& family)
{
    return CFamilySheet(body, family).Write();
}

CRptGenFam::CRptGenFam(std::string name, bool custom)
    : CRptGenBody(kRptTypeFam, std::move(name), custom)
{
    m_recordType = 1;
}

bool CRptGenFam::WriteEntry(CRptBodyContext& body, CRecordNode& record)
{
    CFamRec* family = AsFamily(&record);
    return !family || RptWriteFamilyGroupSheet(body, *family);
}
