// reports/rpt_fact_text.cpp: fact and LDS ordinance texts, fact filtering, fact rows and
// summaries.
#include "reports/rpt_fact_text.h"

#include "common/sentence_text.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/fields/edit_multi_node.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_links.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "reports/rpt_citation.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_settings.h"

#include <algorithm>
#include <cctype>

namespace {

const char* ShortForm(int fieldId)
{
    switch (fieldId) {
    case FIELD_BAPM:
        return "bap.";
    case FIELD_BIRT:
        return "b.";
    case FIELD_BURI:
        return "bur.";
    case FIELD_CHR:
        return "chr.";
    case FIELD_DEAT:
        return "d.";
    case FIELD_DIV:
        return "div.";
    case FIELD_MARR:
        return "m.";
    case FIELD_EDUC:
        return "educ.";
    default:
        return nullptr;
    }
}

bool IsFact(const CDataNode& node)
{
    const CFieldDef* def = node.GetFieldDef();
    return def && def->HasFlag(FDF_EVENT | FDF_ATTRIBUTE);
}

/// " (n)" for a node with earlier siblings of its field, counting from 1.
std::string Occurrence(const CDataNode& node, bool skipEmpty)
{
    const CDataNode* parent = node.GetParent();
    if (!parent)
        return {};
    int earlier = 0;
    for (const CDataNode* sibling = parent->GetFirstChild(); sibling && sibling != &node;
         sibling = sibling->GetNextSibling()) {
        if (sibling->GetFieldId() == node.GetFieldId() && !(skipEmpty && sibling->IsEmpty()))
            ++earlier;
    }
    return earlier > 0 ? text::Format(" (%d)", earlier + 1) : std::string();
}

std::string ChildText(const CDataNode& node, int fieldId)
{
    std::string value;
    if (const CDataNode* child = node.FindChild(nullptr, fieldId))
        child->GetText(value, 0);
    return value;
}

std::string NameOf(const CIndRec* individual)
{
    return individual ? GetRecordNameText(*individual) : std::string();
}

} // namespace

std::string RptFactLabel(const CDataNode& fact, const RptLabelOptions& options)
{
    if (!IsFact(fact))
        return {};
    const int fieldId = fact.GetFieldId();
    std::string label;
    if ((fieldId == FIELD_EVEN || fieldId == FIELD_CUSTOM_ATTR) && fact.GetTypeText().empty()) {
        label = fieldId == FIELD_EVEN ? "<Custom Event>" : "<Custom Attribute>";
    } else if (const char* shortForm = options.abbreviate ? ShortForm(fieldId) : nullptr) {
        label = shortForm;
    } else {
        GetFactLabel(fact, label, false);
    }
    if (options.numbered)
        label += Occurrence(fact, options.skipEmptyInCount);
    if (options.colon)
        label += ':';
    if (options.lowerCase)
        std::transform(label.begin(), label.end(), label.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
    return label;
}

std::string RptFactDate(const CDataNode& fact, int dateFormat, const CIndRec* individual,
                        bool calculated)
{
    const auto* date = dynamic_cast<const CDateNode*>(fact.FindChild(nullptr, FIELD_DATE));
    if (!date || date->IsEmpty())
        return {};
    std::string text = date->FormatText(false, dateFormat);
    if (individual) {
        std::string age;
        FormatAgeAtEvent(*individual, age, fact, AGE_ROLE_OWN_EVENT, !calculated, false);
        if (!age.empty())
            text += " (age " + age + ")";
    }
    return text;
}

std::string RptFactPlace(const CDataNode& fact, bool withValue, std::string_view separator)
{
    const std::string place = ChildText(fact, FIELD_PLAC);
    const CFieldDef* def = fact.GetFieldDef();
    if (!withValue || !def || !def->HasFlag(FDF_ATTRIBUTE) || fact.GetFieldId() == FIELD_RESI)
        return place;
    std::string value;
    fact.GetText(value, 0);
    if (value.empty())
        value = "-";
    if (!place.empty())
        value += std::string(separator.empty() ? "; " : separator) + place;
    return value;
}

namespace {

/// "label date, place" after out.
void AppendFactSummary(std::string& out, std::string_view label, std::string_view date,
                       std::string_view place)
{
    out += label;
    out += ' ';
    out += date;
    if (!date.empty() && !place.empty())
        out += ", ";
    out += place;
}

} // namespace

std::string RptFactSummaryText(std::string_view label, std::string_view date,
                               std::string_view place)
{
    if (date.empty() && place.empty())
        return {};
    std::string summary;
    AppendFactSummary(summary, label, date, place);
    return summary;
}

std::string RptLdsOrdinanceLabel(const CDataNode& ordinance, const CIndRec* individual,
                                 const CFamRec* family, bool numbered)
{
    std::string label;
    switch (ordinance.GetFieldId()) {
    case FIELD_SLGC: {
        label = "Seal to parents";
        const CDataNode* link = ordinance.FindChild(nullptr, FIELD_FAMC);
        const CFamRec* parents = link ? AsFamily(link->GetLinkTarget()) : nullptr;
        const std::string husband = parents ? NameOf(parents->GetHusband()) : std::string();
        const std::string wife = parents ? NameOf(parents->GetWife()) : std::string();
        if (!husband.empty() || !wife.empty())
            label +=
                " (" + husband + (!husband.empty() && !wife.empty() ? " and " : "") + wife + ")";
        break;
    }
    case FIELD_SLGS: {
        label = "Seal to spouse";
        const std::string spouse =
            family && individual ? NameOf(individual->GetSpouseInFamily(family)) : std::string();
        if (!spouse.empty())
            label += " (" + spouse + ")";
        break;
    }
    default:
        if (ordinance.GetFieldDef())
            label = ordinance.GetFieldDef()->GetLabel();
        if (label.starts_with("LDS "))
            label.erase(0, 4);
        break;
    }
    if (numbered)
        label += Occurrence(ordinance, false);
    return label;
}

CDataNode* RptNextFact(const CRecordNode& record, const CDataNode* after, RptFactFilterMode mode,
                       const RptFactInList& inList)
{
    for (CDataNode* fact = record.GetNextFact(after, false); fact;
         fact = record.GetNextFact(fact, false)) {
        if (mode == RptFactFilterMode::All || !inList)
            return fact;
        if (inList(*fact) == (mode == RptFactFilterMode::OnlyListed))
            return fact;
    }
    return nullptr;
}

RptFactInList RptEventListFilter(const CEventList& list)
{
    return [&list](const CDataNode& fact) { return IsEventInList(list, fact); };
}

std::string RptOutputText(const CDataNode& textNode, bool keepPrivate, bool strip)
{
    std::string text;
    if (const auto* multi = dynamic_cast<const CEditMultiNode*>(&textNode))
        multi->GetOutputText(text, keepPrivate, strip);
    else
        textNode.GetText(text, 0);
    return text;
}

std::vector<std::string> RptNoteTexts(const CDataNode& node, bool keepPrivate, bool strip)
{
    std::vector<std::string> texts;
    bool local = false;
    CDataNode* textNode = nullptr;
    for (const CDataNode* note = node.GetNextNoteText(nullptr, local, textNode, true); note;
         note = node.GetNextNoteText(note, local, textNode, true)) {
        std::string text = textNode ? RptOutputText(*textNode, keepPrivate, strip) : std::string();
        if (!text.empty())
            texts.push_back(std::move(text));
    }
    return texts;
}

namespace {

std::string Partners(const CFamRec& family)
{
    const std::string husband = NameOf(family.GetHusband());
    const std::string wife = NameOf(family.GetWife());
    return husband + (!husband.empty() && !wife.empty() ? " and " : "") + wife;
}

} // namespace

std::string RptFactDetails(const CDataNode& fact, bool keepPrivate, bool strip)
{
    std::string details;
    const std::string cause = ChildText(fact, FIELD_CAUS);
    if (!cause.empty())
        AppendSentence(details, "Cause: " + cause, SentenceJoint::Sentence);
    const CDataNode* link = fact.FindChild(nullptr, FIELD_FAMC);
    const CFamRec* family = link ? AsFamily(link->GetLinkTarget()) : nullptr;
    const std::string partners = family ? Partners(*family) : std::string();
    if (!partners.empty()) {
        AppendSentence(details, "Family: " + partners, SentenceJoint::Sentence);
        if (fact.GetFieldId() == FIELD_ADOP) {
            std::string by;
            if (const CDataNode* adoption = link->FindChild(nullptr, FIELD_ADOP))
                adoption->GetText(by, 0);
            const std::string adopters = by == "HUSB"   ? NameOf(family->GetHusband())
                                         : by == "WIFE" ? NameOf(family->GetWife())
                                                        : partners;
            if (!adopters.empty())
                details += " (adopted by " + adopters + ").";
        }
    }
    for (const std::string& note : RptNoteTexts(fact, keepPrivate, strip))
        AppendSentence(details, note, SentenceJoint::Sentence);
    std::string address = ChildText(fact, FIELD_ADDR);
    if (!address.empty())
        details += (details.empty() ? "Address: " : "\nAddress: ") + address;
    return details;
}

std::string RptLdsOrdinanceDetails(const CDataNode& ordinance)
{
    const std::string temple = ChildText(ordinance, FIELD_TEMP);
    const std::string place = ChildText(ordinance, FIELD_PLAC);
    std::string details = temple.empty() ? std::string() : "Temple code: " + temple;
    if (!details.empty() && !place.empty())
        details += "; ";
    return details + place;
}

bool RptWriteFactRow(IRptEmitter& out, CRptCitations& citations, int level, const CDataNode& fact,
                     int dateFormat, const CIndRec* individual, bool calculated)
{
    const std::string marks = citations.Marks(fact);
    const std::string date = RptFactDate(fact, dateFormat, individual, calculated);
    const std::string place = RptFactPlace(fact, true, "; ");
    const CRptRun runs[] = {
        {RptFactLabel(fact, {}), kRptLabelPart, ""},
        {date, kRptDataPart, place.empty() && !date.empty() ? marks : std::string()},
        {place, kRptDataPart, place.empty() ? std::string() : marks}};
    return out.Runs(level, runs);
}

namespace {

/// The first DATE and the first PLAC of a fact, found in one walk of its fields.
void FindDateAndPlace(const CDataNode& fact, const CDateNode*& date, const CDataNode*& place)
{
    const CDataNode* dateField = nullptr;
    place = nullptr;
    for (const CDataNode* child = fact.GetFirstChild(); child && !(dateField && place);
         child = child->GetNextSibling()) {
        const int fieldId = child->GetFieldId();
        if (fieldId == FIELD_DATE && !dateField)
            dateField = child;
        else if (fieldId == FIELD_PLAC && !place)
            place = child;
    }
    date = dynamic_cast<const CDateNode*>(dateField);
}

/// RptFactPlace with the place field already found, into place (its storage reused).
void FactPlaceInto(std::string& place, std::string& scratch, const CDataNode& fact,
                   const CDataNode* placeField, std::string_view separator)
{
    place.clear();
    const CFieldDef* def = fact.GetFieldDef();
    if (!def || !def->HasFlag(FDF_ATTRIBUTE) || fact.GetFieldId() == FIELD_RESI) {
        if (placeField)
            placeField->GetText(place, 0);
        return;
    }
    fact.GetText(place, 0);
    if (place.empty())
        place = "-";
    scratch.clear();
    if (placeField)
        placeField->GetText(scratch, 0);
    if (!scratch.empty()) {
        place += separator;
        place += scratch;
    }
}

} // namespace

bool RptWriteFactSummary(IRptEmitter& out, const CRecordNode& record, int indent, int dateFormat,
                         std::string* line, RptFactFilterMode mode, const RptFactInList& inList)
{
    RptLabelOptions options;
    options.abbreviate = options.lowerCase = true;
    // A long report sums up millions of facts: the place texts reuse their storage.
    std::string place, scratch;
    for (const CDataNode* fact = RptNextFact(record, nullptr, mode, inList); fact;
         fact = RptNextFact(record, fact, mode, inList)) {
        const CDateNode* dateField = nullptr;
        const CDataNode* placeField = nullptr;
        FindDateAndPlace(*fact, dateField, placeField);
        // A fact without date and place has no summary: its label is not made.
        const std::string date = dateField && !dateField->IsEmpty()
                                     ? dateField->FormatText(false, dateFormat)
                                     : std::string();
        FactPlaceInto(place, scratch, *fact, placeField, ", ");
        if (date.empty() && place.empty())
            continue;
        if (line) {
            if (!line->empty())
                *line += "; ";
            // The short forms are lower case already.
            if (const char* shortForm = IsFact(*fact) ? ShortForm(fact->GetFieldId()) : nullptr)
                AppendFactSummary(*line, shortForm, date, place);
            else
                AppendFactSummary(*line, RptFactLabel(*fact, options), date, place);
        } else if (!out.Row(
                       RptParagraph(RptFactSummaryText(RptFactLabel(*fact, options), date, place),
                                    1, indent, kRptLevelSection, kRptDataPart))) {
            return false;
        }
    }
    return true;
}

bool RptWriteFactDetails(IRptEmitter& out, const CRecordNode& record, std::string_view heading,
                         RptFactFilterMode mode, const RptFactInList& inList, bool keepPrivate,
                         bool strip)
{
    bool open = false, going = true;
    for (const CDataNode* fact = RptNextFact(record, nullptr, mode, inList); fact && going;
         fact = RptNextFact(record, fact, mode, inList)) {
        const std::string details = RptFactDetails(*fact, keepPrivate, strip);
        if (details.empty())
            continue;
        if (!open) {
            out.Heading(kRptLevelSubsection, heading);
            out.BeginTable(kRptLevelSubsection, 2);
            open = true;
        }
        going = out.FieldRow(kRptLevelSubsection, RptFactLabel(*fact, {}), details);
    }
    if (open)
        out.EndTable();
    return going;
}
