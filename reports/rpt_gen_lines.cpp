// reports/rpt_gen_lines.cpp: generation lines with their fact summaries.
#include "reports/rpt_gen_lines.h"

#include "database/kin/ind_rec.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_gen_body.h"
#include "reports/rpt_settings.h"

CRptPersonLines::CRptPersonLines(CRptBodyContext& body) : m_body(body)
{
    if (!body.settings.Option(kRptShowGraphics))
        return;
    const auto& colours = body.settings.m_format.m_colours;
    RptBulletStyle style;
    for (std::size_t i = 0; i < 2; ++i) {
        style.fills[i] = colours[i].m_colour;
        style.hollow[i] = colours[i].m_transparencyAllowed && colours[i].m_transparent;
    }
    style.line = colours[2].m_colour;
    m_bullets = style;
}

bool CRptPersonLines::WriteLine(std::string&& text, int generation, const RptLineBullet& bullet)
{
    CRptTextRow row = RptParagraph({}, 1, generation, kRptLevelSection, kRptDataPart);
    row.m_text = std::move(text);
    if (!m_bullets)
        return m_body.out.Row(row);
    return m_body.out.GenerationRow(row, *m_bullets, bullet.second, bullet.from, bullet.at);
}

namespace {

/// Appends facts to line, after "; " when the line holds something. A line of many facts grows
/// once, not by doubling.
void AppendAfter(std::string& line, std::string_view facts)
{
    if (facts.empty())
        return;
    line.reserve(line.size() + 2 + facts.size());
    if (!line.empty())
        line += "; ";
    line += facts;
}

} // namespace

const std::string& CRptPersonLines::Facts(const CRecordNode& record, bool family)
{
    return m_facts.Get(&record, [&](std::string& made) {
        if (family)
            RptWriteFactSummary(m_body.out, record, 0, m_body.DateFormat(), &made, m_body.FamMode(),
                                m_body.FamFilter());
        else
            RptWriteFactSummary(m_body.out, record, 0, m_body.DateFormat(), &made, m_body.IndMode(),
                                m_body.IndFilter());
    });
}

bool CRptPersonLines::Write(std::string text, const CRecordNode* person, const CRecordNode* family,
                            int generation, int layout, const RptLineBullet& bullet)
{
    const bool onLines = layout == 0 || layout == 1;
    const std::string_view facts = person && onLines ? Facts(*person, false) : std::string_view();
    return WriteFacts(std::move(text), facts, person, family, generation, layout, bullet);
}

bool CRptPersonLines::WritePerson(std::string text, const CIndRec& person,
                                  const CRecordNode* family, int generation, int layout,
                                  const RptBulletAt* from, RptBulletAt* at)
{
    PersonText& made = m_people.Get(&person, [&](PersonText& value) {
        value.text = m_body.Name(&person);
        value.nameLength = value.text.size();
        value.female = person.GetSex() == SEX_FEMALE;
    });
    if ((layout == 0 || layout == 1) && !made.withFacts) {
        // After "; " when the name holds something.
        RptWriteFactSummary(m_body.out, person, 0, m_body.DateFormat(), &made.text,
                            m_body.IndMode(), m_body.IndFilter());
        made.withFacts = true;
    }
    const std::string_view name(made.text.data(), made.nameLength);
    std::string_view facts = std::string_view(made.text).substr(made.nameLength);
    if (!name.empty() && !facts.empty())
        facts.remove_prefix(2);
    text.reserve(text.size() + made.text.size() + 2);
    text += name;
    return WriteFacts(std::move(text), facts, &person, family, generation, layout,
                      {made.female, from, at});
}

bool CRptPersonLines::WriteFacts(std::string text, std::string_view personFacts,
                                 const CRecordNode* person, const CRecordNode* family,
                                 int generation, int layout, const RptLineBullet& bullet)
{
    IRptEmitter& out = m_body.out;
    if (layout == 0 || layout == 1) {
        std::string facts;
        std::string& line = layout == 0 ? text : facts;
        // The person's facts go in before the family's are looked up, which may move them.
        AppendAfter(line, personFacts);
        if (family)
            AppendAfter(line, Facts(*family, true));
        if (!WriteLine(std::move(text), generation, bullet))
            return false;
        return facts.empty() ||
               out.Row(RptParagraph(facts, 1, generation + 1, kRptLevelSection, kRptDataPart));
    }
    const int format = m_body.DateFormat();
    if (!WriteLine(std::move(text), generation, bullet))
        return false;
    if (person && !RptWriteFactSummary(out, *person, generation + 1, format, nullptr,
                                       m_body.IndMode(), m_body.IndFilter()))
        return false;
    return !family || RptWriteFactSummary(out, *family, generation + 1, format, nullptr,
                                          m_body.FamMode(), m_body.FamFilter());
}
