// reports/rpt_gen_lines.h: the generation lines of the Ancestor and Descendant reports: a
// person's (or spouse's) line indented by generation with the fact summaries of the person and
// of a family, on the line itself, on a second line, or one line per fact.
//
// A family's facts go on the line of the parent visited second (the mother, or the father with
// "Females First"), or on the only parent's line. Number texts have no length limit, so deep
// descendants never repeat a number.
#pragma once

#include "reports/rpt_emitter.h"
#include "reports/rpt_recent_texts.h"

#include <optional>
#include <string>

class CRecordNode;
struct CRptBodyContext;

/// The bullet of a line on pages: of the second kind (a female's) or the first, joined to the
/// bullet at from when given; where it stands goes to at.
struct RptLineBullet {
    bool second = false;
    const RptBulletAt* from = nullptr;
    RptBulletAt* at = nullptr;
};

class CRptPersonLines {
public:
    /// Bullets are drawn when the settings show graphics, in the colours of the first two
    /// report colours (each solid, or hollow when marked transparent) with the third for lines.
    explicit CRptPersonLines(CRptBodyContext& body);

    /// Writes text at indent generation with the summaries of person's facts (individual
    /// filter; none when person is null) and family's (family filter). Layout 0 appends them to
    /// the line, 1 puts them on a second line one step in, 2 gives each fact a line one step in.
    /// False when the body may stop.
    bool Write(std::string text, const CRecordNode* person, const CRecordNode* family,
               int generation, int layout, const RptLineBullet& bullet = {});

private:
    /// The line itself, with its bullet when bullets are drawn.
    bool WriteLine(std::string&& text, int generation, const RptLineBullet& bullet);
    /// Appends the summaries of record's facts (the individual filter for an individual, the
    /// family filter for a family) to line, after "; " when the line holds something. Each
    /// record's summaries are made once: a tree may reach a person many times.
    void AppendFacts(std::string& line, const CRecordNode& record, bool family);

    CRptBodyContext& m_body;
    std::optional<RptBulletStyle> m_bullets;
    CRptRecentTexts m_facts;
};
