// reports/rpt_gen_anc.cpp: the Ancestor report's generation walk.
#include "reports/rpt_gen_anc.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_gen_body.h"
#include "reports/rpt_gen_lines.h"
#include "reports/rpt_recent_texts.h"
#include "reports/rpt_settings.h"

#include <algorithm>
#include <optional>
#include <vector>

std::string RptAhnentafelParent(const std::string& number, bool mother)
{
    std::string doubled(number.size(), '0');
    int carry = mother ? 1 : 0;
    for (std::size_t i = number.size(); i-- > 0;) {
        const int digit = (number[i] - '0') * 2 + carry;
        doubled[i] = char('0' + digit % 10);
        carry = digit / 10;
    }
    return carry ? char('0' + carry) + doubled : doubled;
}

namespace {

struct AncestorStep {
    CIndRec* person;
    int generation;
    int left;
    const CFamRec* family; // whose facts go on this line
    std::string number;
    /// The bullet of the line this one hangs from (none for the subject).
    std::optional<RptBulletAt> child;
};

/// The parent families a walk reads of a person (the first, or every one), with their husband
/// and wife, kept for the pass: a tree reaches a person many times.
struct KnownParents {
    struct Family {
        const CFamRec* family;
        CIndRec* husband;
        CIndRec* wife;
    };
    std::vector<Family> families;

    void clear() { families.clear(); }
};

} // namespace

bool RptWriteAncestors(CRptBodyContext& body, CIndRec& subject)
{
    const CRptSettings& settings = body.settings;
    body.out.NextEntry();
    body.out.Heading(kRptLevelRecord, body.HeadingText(kRptHdgRecInd, &subject));
    {
        const CFamRec* parents = subject.GetNextParentFamily(nullptr);
        const CIndRec* father = parents ? parents->GetHusband() : nullptr;
        const CIndRec* mother = parents ? parents->GetWife() : nullptr;
        const bool mothersFirst = settings.Option(kRptFemalesFirst);
        const RptPictureSubject pictured[] = {{&subject, kRptPicIndividuals, ""},
                                              {mothersFirst ? mother : father, kRptPicFamilies,
                                               mothersFirst ? "Mother: " : "Father: "},
                                              {mothersFirst ? father : mother, kRptPicFamilies,
                                               mothersFirst ? "Father: " : "Mother: "}};
        RptWritePictures(body, pictured, kRptLevelRecord, true);
    }
    const bool numbered = settings.Option(kRptAhnentafel);
    const bool mothersFirst = settings.Option(kRptFemalesFirst);
    const bool allFamilies = settings.Option(kRptAltParents);
    const int layout = settings.m_contents.m_textLayout;
    CRptPersonLines lines(body);
    CRptRecent<KnownParents> parentsOf;

    std::vector<AncestorStep> stack;
    std::vector<AncestorStep> parents; // of the line written last, reused line after line
    stack.push_back(
        {&subject, 0, std::max(1, settings.m_contents.m_generations), nullptr, "1", std::nullopt});
    while (!stack.empty()) {
        if (body.Stopped())
            return false;
        AncestorStep step = std::move(stack.back());
        stack.pop_back();
        RptBulletAt bullet;
        if (!lines.WritePerson(numbered ? step.number + " " : std::string(), *step.person,
                               step.family, step.generation, layout,
                               step.child ? &*step.child : nullptr, &bullet))
            return false;
        if (step.left <= 1)
            continue;
        const KnownParents& known = parentsOf.Get(step.person, [&](KnownParents& made) {
            for (CFamRec* family = step.person->GetNextParentFamily(nullptr); family;
                 family = allFamilies ? step.person->GetNextParentFamily(family) : nullptr)
                made.families.push_back({family, family->GetHusband(), family->GetWife()});
        });
        // Parents of each family, pushed in reverse so that they come off in visiting order.
        parents.clear();
        for (const KnownParents::Family& family : known.families) {
            CIndRec* first = mothersFirst ? family.wife : family.husband;
            CIndRec* second = mothersFirst ? family.husband : family.wife;
            const auto add = [&](CIndRec* parent, bool mother, bool carriesFamily) {
                if (parent)
                    parents.push_back({parent, step.generation + 1, step.left - 1,
                                       carriesFamily ? family.family : nullptr,
                                       RptAhnentafelParent(step.number, mother), bullet});
            };
            add(first, mothersFirst, !second);
            add(second, !mothersFirst, true);
        }
        for (auto parent = parents.rbegin(); parent != parents.rend(); ++parent)
            stack.push_back(std::move(*parent));
    }
    return true;
}

CRptGenAnc::CRptGenAnc(std::string name, bool custom)
    : CRptGenBody(kRptTypeAnc, std::move(name), custom)
{
    m_recordType = 0;
}

bool CRptGenAnc::WriteEntry(CRptBodyContext& body, CRecordNode& record)
{
    CIndRec* subject = AsIndividual(&record);
    return !subject || RptWriteAncestors(body, *subject);
}
