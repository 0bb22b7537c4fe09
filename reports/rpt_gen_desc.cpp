// reports/rpt_gen_desc.cpp: the Descendant report's generation walk.
#include "reports/rpt_gen_desc.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_gen_body.h"
#include "reports/rpt_gen_lines.h"
#include "reports/rpt_recent_texts.h"
#include "reports/rpt_settings.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

std::string RptDescendantNumber(const std::string& parent, int child, int mode)
{
    if (mode == kRptDescDotted)
        return parent + "." + std::to_string(child);
    if (mode != kRptDescCompact)
        return parent;
    char code = '?';
    if (child >= 1 && child <= 9)
        code = char('0' + child);
    else if (child >= 10 && child <= 35)
        code = char('A' + child - 10);
    else if (child >= 36 && child <= 61)
        code = char('a' + child - 36);
    return parent + code;
}

namespace {

/// A line still to write: a person with its number, or the spouse line of a family.
struct DescendantStep {
    CIndRec* person;
    const CFamRec* family; // set for a spouse line: the family of person and the spouse
    int generation;
    int left;
    std::string number;
    /// The bullet of the line this one hangs from (none for the subject).
    std::optional<RptBulletAt> parent;
};

std::string SpouseText(const CRptBodyContext& body, const CIndRec* spouse)
{
    const CRptSettings& settings = body.settings;
    std::string text = settings.Option(kRptSpousePrefix) ? "Sp. " : "";
    if (!spouse)
        return text + "(unknown)";
    text += body.Name(spouse);
    const CFamRec* parents =
        settings.Option(kRptSpouseParents) ? spouse->GetNextParentFamily(nullptr) : nullptr;
    const std::string father = parents ? body.Name(parents->GetHusband()) : std::string();
    const std::string mother = parents ? body.Name(parents->GetWife()) : std::string();
    if (!father.empty() || !mother.empty()) {
        const int sex = spouse->GetSex();
        text += sex == SEX_MALE ? ", son of " : sex == SEX_FEMALE ? ", dau. of " : ", child of ";
        text += father + (!father.empty() && !mother.empty() ? " and " : "") + mother;
    }
    return text;
}

} // namespace

bool RptWriteDescendants(CRptBodyContext& body, CIndRec& subject)
{
    const CRptSettings& settings = body.settings;
    const int mode = settings.m_contents.m_numbering;
    const int layout = settings.m_contents.m_textLayout;
    CRptPersonLines lines(body);
    // A spouse reached along several lines of descent is named once.
    CRptRecentTexts spouses;

    using Walk = std::vector<DescendantStep>;
    Walk stack;
    // A page drawn deep in the entry takes the walk up where it stood some pages before.
    if (const auto* kept = static_cast<const Walk*>(body.Resumed())) {
        stack = *kept;
    } else {
        body.out.NextEntry();
        body.out.Heading(kRptLevelRecord, body.HeadingText(kRptHdgRecInd, &subject));
        std::vector<RptPictureSubject> pictured = {{&subject, kRptPicIndividuals, ""}};
        for (const CFamRec* family = subject.GetNextSpouseFamily(nullptr); family;
             family = subject.GetNextSpouseFamily(family))
            pictured.push_back({subject.GetSpouseInFamily(family), kRptPicSpouses, "Spouse: "});
        RptWritePictures(body, pictured, kRptLevelRecord, true);
        stack.push_back({&subject, nullptr, 0, std::max(1, settings.m_contents.m_generations),
                         mode == kRptDescCompact || mode == kRptDescDotted ? "1" : "",
                         std::nullopt});
    }
    while (!stack.empty()) {
        if (body.Stopped())
            return false;
        body.OfferRestart([&] { return std::make_shared<const Walk>(stack); });
        DescendantStep step = std::move(stack.back());
        stack.pop_back();
        if (step.family) {
            const CIndRec* spouse = step.person->GetSpouseInFamily(step.family);
            const CIndRec* facts = settings.Option(kRptSpouseEvents) ? spouse : nullptr;
            const RptLineBullet bullet{spouse && spouse->GetSex() == SEX_FEMALE,
                                       step.parent ? &*step.parent : nullptr, nullptr};
            if (!lines.Write(
                    spouses.Get(spouse,
                                [&](std::string& made) { made = SpouseText(body, spouse); }),
                    facts, step.family, step.generation, layout, bullet))
                return false;
            continue;
        }
        std::string text;
        if (mode == kRptDescGeneration)
            text = text::Format("%d. ", step.generation + 1);
        else if (mode == kRptDescCompact || mode == kRptDescDotted)
            text = step.number + " ";
        RptBulletAt bullet;
        if (!lines.WritePerson(std::move(text), *step.person, nullptr, step.generation, layout,
                               step.parent ? &*step.parent : nullptr, &bullet))
            return false;
        // Each spouse family's line, then its children, pushed in reverse.
        std::vector<DescendantStep> next;
        for (CFamRec* family = step.person->GetNextSpouseFamily(nullptr); family;
             family = step.person->GetNextSpouseFamily(family)) {
            next.push_back({step.person, family, step.generation, step.left, {}, bullet});
            if (step.left <= 1)
                continue;
            int index = 0;
            for (CIndRec* child = family->GetNextChild(nullptr); child;
                 child = family->GetNextChild(child))
                next.push_back({child, nullptr, step.generation + 1, step.left - 1,
                                RptDescendantNumber(step.number, ++index, mode), bullet});
        }
        for (auto line = next.rbegin(); line != next.rend(); ++line)
            stack.push_back(std::move(*line));
    }
    return true;
}

CRptGenDesc::CRptGenDesc(std::string name, bool custom)
    : CRptGenBody(kRptTypeDesc, std::move(name), custom)
{
    m_recordType = 0;
}

bool CRptGenDesc::WriteEntry(CRptBodyContext& body, CRecordNode& record)
{
    CIndRec* subject = AsIndividual(&record);
    return !subject || RptWriteDescendants(body, *subject);
}
