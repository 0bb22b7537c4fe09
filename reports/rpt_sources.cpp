// reports/rpt_sources.cpp: the sources section and the text of its lines.
#include "reports/rpt_sources.h"

#include "common/sentence_text.h"
#include "database/dictionary/field_ids.h"
#include "database/records/record_node.h"
#include "reports/rpt_citation.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_fact_text.h"
#include "reports/rpt_gen_body.h"
#include "reports/rpt_settings.h"
#include "reports/rpt_settings_tables.h"

#include <algorithm>
#include <set>

namespace {

std::string ChildText(const CDataNode* node, int fieldId)
{
    std::string value;
    if (const CDataNode* child = node ? node->FindChild(nullptr, fieldId, true) : nullptr)
        child->GetText(value, 0);
    return value;
}

void Append(std::string& line, const std::string& piece)
{
    if (!piece.empty())
        AppendSentence(line, piece, SentenceJoint::Sentence);
}

/// The first field of fieldId under record or under its address.
std::string AddressPart(const CDataNode* record, int fieldId)
{
    std::string value = ChildText(record, fieldId);
    if (value.empty())
        value = ChildText(record ? record->FindChild(nullptr, FIELD_ADDR) : nullptr, fieldId);
    return value;
}

bool Flag(const CRptSettings& settings, RptSourceFlag flag)
{
    return settings.SourceFlag(flag);
}

/// The pictures placed before the line of citation number: up to "Source Pictures" of its
/// source record, the first time the section meets that source (seen holds those met), then up
/// to "Citation Pictures" of the citation's own. Captioned "Source: " with the source's title
/// and "Citation %d", each followed by the picture's title when the settings ask. Pages only.
void WriteCitationPictures(IRptEmitter& out, const CRptSettings& settings,
                           const CDataNode& citation, int number, int level,
                           std::set<const CRecordNode*>& seen)
{
    const CRptSources& options = settings.m_sources;
    if (out.IsExport() || (options.m_sourcePictures <= 0 && options.m_citationPictures <= 0))
        return;
    CRptLockedPictures locked;
    std::vector<RptPicture> pictures;
    const auto add = [&](const RptPictureObject& object, int& left, const std::string& caption,
                         const char* titleJoint) {
        RptPicture picture;
        if (left <= 0 || !locked.Take(object.object, picture))
            return;
        if (options.m_captions) {
            picture.caption = caption;
            const std::string title = ChildText(object.holder, FIELD_TITL);
            if (options.m_pictureTitles && !title.empty())
                picture.caption += titleJoint + ("\"" + title + "\"");
        }
        pictures.push_back(picture);
        --left;
    };
    const CRecordNode* source = citation.GetLinkTarget();
    if (source && seen.insert(source).second) {
        int left = options.m_sourcePictures;
        const std::string caption = "Source: " + ChildText(source, FIELD_TITL);
        for (const RptPictureObject& object : RptPictureObjects(*source))
            add(object, left, caption, "  ");
    }
    int left = options.m_citationPictures;
    const std::string caption = "Citation " + std::to_string(number);
    for (const RptPictureObject& object : RptPictureObjects(citation))
        add(object, left, caption, ":  ");
    if (pictures.empty())
        return;
    const RptPictureGaps gaps = {options.m_gaps.m_left, options.m_gaps.m_above,
                                 options.m_gaps.m_right, options.m_gaps.m_below,
                                 options.m_gaps.m_caption};
    out.Pictures(level, pictures, RptPlacement::RowsLeft, std::max(0, options.m_sourcePicWidth), 0,
                 true, &gaps);
}

} // namespace

std::string RptSourceLine(const CDataNode& citation, const CRptSettings& settings)
{
    std::string line;
    const CRecordNode* source = citation.GetLinkTarget();
    if (source) {
        const std::string title = ChildText(source, FIELD_TITL);
        if (Flag(settings, kRptSourcesAuthor))
            Append(line, ChildText(source, FIELD_AUTH));
        if (Flag(settings, kRptSourcesShortTitle) ||
            (Flag(settings, kRptSourcesShortTitleIf) && title.empty()))
            Append(line, ChildText(source, FIELD_ABBR));
        if (Flag(settings, kRptSourcesTitle) && !title.empty())
            Append(line, "\"" + title + "\"");
        const std::string publication = ChildText(source, FIELD_PUBL);
        if (Flag(settings, kRptSourcesPubInfo) && !publication.empty())
            Append(line, "(" + publication + ")");
        const std::string customId = ChildText(source, FIELD_REFN);
        if (Flag(settings, kRptSourcesCustomId) && !customId.empty())
            Append(line, "Custom Id: " + customId);
    } else {
        std::string own;
        citation.GetText(own, 0);
        Append(line, own);
    }
    EnsureFinalStop(line);
    if (Flag(settings, kRptSourcesWhereWithin))
        Append(line, ChildText(&citation, FIELD_PAGE));
    const CDataNode* data = citation.FindChild(nullptr, FIELD_DATA);
    const std::string date = ChildText(data, FIELD_DATE);
    if (Flag(settings, kRptSourcesEntryDate) && !date.empty())
        Append(line, "Cit. Date: " + date);
    const std::string quality = ChildText(&citation, FIELD_QUAY);
    if (Flag(settings, kRptSourcesAssessment) && !quality.empty())
        Append(line, "Assessment: " + quality);
    return line;
}

std::string RptRepositoryLine(const CDataNode& citation, const CRptSettings& settings)
{
    const CRecordNode* source = citation.GetLinkTarget();
    const CDataNode* link = source ? source->FindChild(nullptr, FIELD_REPO) : nullptr;
    const CRecordNode* repository = link ? link->GetLinkTarget() : nullptr;
    if (!repository)
        return {};
    std::string line;
    Append(line, ChildText(repository, FIELD_NAME));
    const auto add = [&](RptSourceFlag flag, const char* prefix, const std::string& value) {
        if (Flag(settings, flag) && !value.empty())
            Append(line, prefix + value);
    };
    add(kRptRepoAddress, "", ChildText(repository, FIELD_ADDR));
    add(kRptRepoTelephone, "Tel: ", AddressPart(repository, FIELD_PHON));
    add(kRptRepoEmail, "Email: ", AddressPart(repository, FIELD_EMAIL));
    add(kRptRepoWeb, "Web: ", AddressPart(repository, FIELD_WEB));
    const CDataNode* callNumber = link->FindChild(nullptr, FIELD_CALN, true);
    if (callNumber && Flag(settings, kRptRepoId)) {
        std::string text;
        callNumber->GetText(text, 0);
        const std::string media = ChildText(callNumber, FIELD_MEDI);
        if (Flag(settings, kRptRepoMediaType) && !media.empty())
            text += " (" + media + ")";
        Append(line, "Call Number: " + text);
    }
    EnsureFinalStop(line);
    return line;
}

bool RptWriteCitations(IRptEmitter& out, const CRptSettings& settings, const CRptCitationList& list,
                       int headingRow, bool newPage, const std::function<bool()>& stop)
{
    const CRptHeading& heading = settings.m_format.m_headings[std::size_t(headingRow)];
    if (list.Count() == 0 && heading.m_show != kRptHeadingShowEmpty)
        return true;
    if (newPage)
        out.PageBreak();
    const int level = std::clamp(RptHeadingTable()[std::size_t(headingRow)].level - 1, 0, 2);
    if (heading.m_show != kRptHeadingHide)
        out.Heading(level, heading.m_text.GetText());
    const int rowLevel = std::min(level + 1, 2);
    static constexpr int kWidths[] = {4, 96};
    out.BeginTable(rowLevel, 2, kWidths);
    bool going = true;
    if (list.Count() == 0)
        going = out.Row(
            RptParagraph(settings.m_format.m_emptySectionText, 0, 1, rowLevel, kRptDataPart));
    const bool keepPrivate = settings.Option(kRptPrivateNotes);
    const bool strip = settings.Option(kRptRemoveBrackets);
    std::set<const CRecordNode*> seenSources;
    for (int number = 1; going && number <= list.Count(); ++number) {
        if (stop && stop())
            return false;
        const CDataNode* citation = list.At(number);
        if (!citation) {
            going = out.SourceRow(rowLevel, number, settings.m_format.m_emptySectionText);
            continue;
        }
        WriteCitationPictures(out, settings, *citation, number, rowLevel, seenSources);
        going = out.SourceRow(rowLevel, number, RptSourceLine(*citation, settings));
        std::vector<std::string> more;
        const CDataNode* data = citation->FindChild(nullptr, FIELD_DATA);
        const std::string text = ChildText(data, FIELD_TEXT);
        if (settings.SourceFlag(kRptSourcesActualText) && !text.empty())
            more.push_back("Text From Source: " + text);
        if (settings.SourceFlag(kRptSourcesNotes))
            for (std::string& note : RptNoteTexts(*citation, keepPrivate, strip))
                more.push_back(std::move(note));
        if (settings.SourceFlag(kRptSourcesIncRepo)) {
            std::string repository = RptRepositoryLine(*citation, settings);
            if (!repository.empty())
                more.push_back(std::move(repository));
            const CRecordNode* source = citation->GetLinkTarget();
            const CDataNode* link = source ? source->FindChild(nullptr, FIELD_REPO) : nullptr;
            if (link && link->GetLinkTarget() && settings.SourceFlag(kRptRepoNotes))
                for (std::string& note : RptNoteTexts(*link->GetLinkTarget(), keepPrivate, strip))
                    more.push_back(std::move(note));
        }
        for (const std::string& row : more) {
            if (!going)
                break;
            going = out.FieldRow(rowLevel, "", row);
        }
    }
    out.EndTable();
    return going;
}
