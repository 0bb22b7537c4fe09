// diagrams/box_text.cpp: the text of each kind of box, from the template of its kind, with its
// fill and text colour; the override text; the lines a box shows.
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_links.h"
#include "diagrams/diag_ancestor_elem.h"
#include "diagrams/diag_family_elem.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"
#include "templates/text_template.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

/// An empty box text that keeps what was asked for.
CBoxText Cleared(const CBoxText& asked)
{
    CBoxText fresh;
    fresh.lookOnly = asked.lookOnly;
    return fresh;
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

/// The byte length of the first count characters of text.
std::size_t PrefixOfChars(std::string_view text, std::size_t count)
{
    std::size_t at = 0;
    for (std::size_t chars = 0; at < text.size(); ++at) {
        if (!IsContinuationByte(text[at]) && chars++ == count)
            break;
    }
    return at;
}

/// Leaves out the lines (LF separated) that do not fit whole within the box text's characters.
void KeepWholeLines(CBoxText& out)
{
    const std::size_t fits = PrefixOfChars(out.text, kBoxTextChars);
    if (fits == out.text.size())
        return;
    const std::size_t lastBreak = out.text.rfind('\n', fits);
    out.text.resize(lastBreak == std::string::npos ? 0 : lastBreak);
    out.lineCount =
        out.text.empty() ? 0 : int(std::count(out.text.begin(), out.text.end(), '\n')) + 1;
}

} // namespace

std::vector<std::string_view> SplitBoxLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start)
            lines.push_back(text.substr(start, stop - start));
        start = text.find_first_not_of("\r\n", stop);
        if (start == std::string_view::npos)
            break;
    }
    return lines;
}

COLORREF CDiagElem::SexColour(const CIndRec* individual) const
{
    const auto& colours = m_owner.Settings().m_colours;
    const int sex = individual ? individual->GetSex() : SEX_UNDETERMINED;
    const int row = sex == SEX_MALE     ? kTextMaleRow
                    : sex == SEX_FEMALE ? kTextFemaleRow
                                        : kTextUnknownSexRow;
    return colours[std::size_t(row)].colour;
}

bool CDiagElem::RenderBox(int boxKind, const CIndRec* individual, const CFamRec* family,
                          std::string_view substitution, CBoxText& out) const
{
    const CTextTemplate* compiled = m_owner.BoxTemplate(boxKind);
    if (!compiled)
        return false;
    if (out.lookOnly)
        return true;
    std::vector<CRecordNode*> records;
    for (const CRecordNode* record :
         {static_cast<const CRecordNode*>(individual), static_cast<const CRecordNode*>(family)})
        if (record)
            records.push_back(const_cast<CRecordNode*>(record));
    const CDiagramSettings& settings = m_owner.Settings();
    const CTemplateOptions options = CTemplateOptions::FromSpouseOption(
        settings.m_spouseOption, settings.m_duplicatesWithSpouses);
    CTemplateContext context;
    context.m_records = records;
    context.m_substitution = substitution;
    context.m_options = &options;
    // Four bytes a character at most; whole lines beyond the characters are left out below.
    compiled->RenderTemplate(out.text, context, &out.lineCount, &out.pictureLine,
                             kBoxTextChars * 4);
    KeepWholeLines(out);
    return true;
}

void CDiagElem::DefaultText(const CIndRec* individual, CBoxText& out)
{
    out.text = individual ? GetRecordNameText(*individual) : std::string();
    out.text.resize(PrefixOfChars(out.text, kBoxTextChars));
    out.lineCount = 1;
    out.pictureLine = -1;
}

std::string CDiagElem::GetText() const
{
    if (!m_overrideText.empty())
        return m_overrideText.substr(0, PrefixOfChars(m_overrideText, kBoxTextChars));
    CBoxText box;
    GetBoxText(box);
    return box.text;
}

CBoxText CDiagElem::ShownText(bool withText) const
{
    CBoxText box;
    box.lookOnly = !withText;
    GetBoxText(box);
    if (withText && !m_overrideText.empty()) {
        box.text = GetText();
        box.lineCount = int(SplitBoxLines(box.text).size());
        box.pictureLine = -1;
    }
    return box;
}

void CDiagAncestorElem::GetBoxText(CBoxText& out) const
{
    out = Cleared(out);
    if (!RenderBox(kAncestorBox, m_individual, m_family, {}, out))
        DefaultText(m_individual, out);
    out.fillRow = HasFlag(kElemRoot) ? kBoxRootRow : kBoxAncestorRow;
    out.textColour = SexColour(m_individual);
    out.picturesShown = m_owner.Settings().m_picturesForAncestors;
}

void CDiagFamilyElem::GetBoxText(CBoxText& out) const
{
    out = Cleared(out);
    const CDiagramSettings& settings = m_owner.Settings();
    CIndRec* person = GetIndividual();
    const bool first = IsFirstFamilyBox();
    bool rendered = false;
    if (HasFlag(kElemRepeat)) {
        rendered = RenderBox(kProxyBox, person, m_family, {}, out);
        out.fillRow = kBoxProxyChildRow;
        out.picturesShown = settings.m_picturesForProxies;
    } else if (first) {
        rendered = RenderBox(kDescendantBox, person, m_family, {}, out);
        out.fillRow = HasFlag(kElemRoot) ? kBoxRootRow : kBoxDescendantRow;
        out.picturesShown = settings.m_picturesForDescendants;
    } else {
        // A person's further family boxes are numbered when the template asks for the
        // instance.
        const CTextTemplate* duplicate = m_owner.BoxTemplate(kDuplicateBox);
        std::string instance;
        if (duplicate && duplicate->GetSubstitutionName() == "INSTANCE" && m_link)
            instance = std::to_string(m_link->IndexOf(this) + 1);
        rendered = RenderBox(kDuplicateBox, person, m_family, instance, out);
        out.fillRow = HasFlag(kElemRoot) ? kBoxRootRow : kBoxDuplicateRow;
        out.picturesShown = settings.m_picturesForDuplicates;
    }
    if (!rendered)
        DefaultText(person, out);
    out.textColour = SexColour(person);
}

void CDiagDescendantElem::GetBoxText(CBoxText& out) const
{
    out = Cleared(out);
    const CDiagramSettings& settings = m_owner.Settings();
    const bool repeat = HasFlag(kElemRepeat);
    if (!m_individual) {
        out.text = "?";
        out.lineCount = 1;
        out.pictureLine = -1;
    } else if (!RenderBox(repeat ? kProxyBox : kSpouseBox, m_individual, GetFamily(), {}, out)) {
        DefaultText(m_individual, out);
    }
    out.fillRow = repeat ? kBoxProxySpouseRow : HasFlag(kElemRoot) ? kBoxRootRow : kBoxSpouseRow;
    out.textColour = repeat ? m_owner.ProxyTextColour() : SexColour(m_individual);
    out.picturesShown = repeat ? settings.m_picturesForProxies : settings.m_picturesForSpouses;
}
