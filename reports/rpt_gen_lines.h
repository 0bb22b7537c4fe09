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
#include <string_view>

class CIndRec;
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
    /// Write with person's name for reports after text, its bullet of the second kind for a
    /// female, joined to the bullet at from, where it stands going to at. The person's name,
    /// fact summaries and sex are read once for the pass and kept together: a tree may reach a
    /// person many times.
    bool WritePerson(std::string text, const CIndRec& person, const CRecordNode* family,
                     int generation, int layout, const RptBulletAt* from = nullptr,
                     RptBulletAt* at = nullptr);

private:
    /// A person's name, then (once asked for) the summaries of its facts after "; " when the
    /// name holds something.
    struct PersonText {
        std::string text;
        std::size_t nameLength = 0;
        bool withFacts = false;
        bool female = false;
        /// Empty, keeping the text's storage.
        void clear()
        {
            text.clear();
            nameLength = 0;
            withFacts = female = false;
        }
    };

    /// The line (text, then personFacts) with the family's facts, as Write sets them out;
    /// person's facts are written anew one per line in layout 2.
    bool WriteFacts(std::string text, std::string_view personFacts, const CRecordNode* person,
                    const CRecordNode* family, int generation, int layout,
                    const RptLineBullet& bullet);
    /// The line itself, with its bullet when bullets are drawn.
    bool WriteLine(std::string&& text, int generation, const RptLineBullet& bullet);
    /// The summaries of record's facts (the individual filter for an individual, the family
    /// filter for a family), joined by "; ". Each record's summaries are made once: a tree may
    /// reach a person many times. Valid until the next call.
    const std::string& Facts(const CRecordNode& record, bool family);

    CRptBodyContext& m_body;
    std::optional<RptBulletStyle> m_bullets;
    CRptRecentTexts m_facts;
    CRptRecent<PersonText> m_people;
};
