// reports/rpt_gen_lines.cpp: generation lines with their fact summaries.
#include "reports/rpt_gen_lines.h"

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

void CRptPersonLines::AppendFacts(std::string& line, const CRecordNode& record, bool family)
{
    const std::string& facts = m_facts.Get(&record, [&](std::string& made) {
        if (family)
            RptWriteFactSummary(m_body.out, record, 0, m_body.DateFormat(), &made, m_body.FamMode(),
                                m_body.FamFilter());
        else
            RptWriteFactSummary(m_body.out, record, 0, m_body.DateFormat(), &made, m_body.IndMode(),
                                m_body.IndFilter());
    });
    if (facts.empty())
        return;
    // A line of many facts grows once, not by doubling.
    line.reserve(line.size() + 2 + facts.size());
    if (!line.empty())
        line += "; ";
    line += facts;
}

bool CRptPersonLines::Write(std::string text, const CRecordNode* person, const CRecordNode* family,
                            int generation, int layout, const RptLineBullet& bullet)
{
    IRptEmitter& out = m_body.out;
    const int format = m_body.DateFormat();
    if (layout == 0 || layout == 1) {
        std::string facts;
        std::string& line = layout == 0 ? text : facts;
        if (person)
            AppendFacts(line, *person, false);
        if (family)
            AppendFacts(line, *family, true);
        if (!WriteLine(std::move(text), generation, bullet))
            return false;
        return facts.empty() ||
               out.Row(RptParagraph(facts, 1, generation + 1, kRptLevelSection, kRptDataPart));
    }
    if (!WriteLine(std::move(text), generation, bullet))
        return false;
    if (person && !RptWriteFactSummary(out, *person, generation + 1, format, nullptr,
                                       m_body.IndMode(), m_body.IndFilter()))
        return false;
    return !family || RptWriteFactSummary(out, *family, generation + 1, format, nullptr,
                                          m_body.FamMode(), m_body.FamFilter());
}
