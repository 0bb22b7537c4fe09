// reports/rpt_gen_body.cpp: the shared state and texts of report bodies.
#include "reports/rpt_gen_body.h"

#include "database/dates/date_node.h"
#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/multimedia/object_rows.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_settings.h"
#include "reports/rpt_sources.h"

#include <algorithm>

bool CRptBodyContext::HeadingShown(int row) const
{
    return settings.m_format.m_headings[std::size_t(row)].m_show != kRptHeadingHide;
}

std::string CRptBodyContext::HeadingText(int row, CRecordNode* record) const
{
    std::string text;
    if (HeadingShown(row))
        settings.m_format.m_headings[std::size_t(row)].m_text.Expand(text, record);
    return text;
}

std::string CRptBodyContext::Name(const CIndRec* individual) const
{
    std::string text;
    if (individual)
        individual->FormatNameForReport(text, settings.Option(kRptDatesWithNames), false, false);
    return text;
}

const void* CRptBodyContext::Resumed() const
{
    const auto* kept =
        restarts ? static_cast<const RptKeptWalk*>(restarts->Context().resume) : nullptr;
    return kept ? kept->walk.get() : nullptr;
}

void CRptBodyContext::OfferRestart(const std::function<std::shared_ptr<const void>()>& make)
{
    if (!restarts || !restarts->Layout().WantsRestart(restarts->Context()))
        return;
    auto kept = std::make_shared<RptKeptWalk>();
    if (settings.SourceFlag(kRptSourcesEndEntry) && citations.Collecting())
        kept->collected = *citations.Collecting();
    kept->walk = make();
    restarts->Layout().KeepRestart(restarts->Context(), citations.counter, std::move(kept));
}

RptFactFilterMode CRptBodyContext::IndMode() const
{
    return RptFactFilterMode(settings.m_contents.m_indEventMode);
}

RptFactFilterMode CRptBodyContext::FamMode() const
{
    return RptFactFilterMode(settings.m_contents.m_famEventMode);
}

RptFactInList CRptBodyContext::IndFilter() const
{
    return RptEventListFilter(settings.m_contents.m_indEvents);
}

RptFactInList CRptBodyContext::FamFilter() const
{
    return RptEventListFilter(settings.m_contents.m_famEvents);
}

std::vector<std::string> CRptBodyContext::Notes(const CDataNode& node) const
{
    return RptNoteTexts(node, settings.Option(kRptPrivateNotes),
                        settings.Option(kRptRemoveBrackets));
}

const CIndRec* CRptBodyContext::AgeOf(const CIndRec* individual) const
{
    return settings.Option(kRptAgesIfKnown) ? individual : nullptr;
}

bool CRptBodyContext::AgesCalculated() const
{
    return settings.Option(kRptAgesOrCalc);
}

int CRptBodyContext::DateFormat() const
{
    return settings.m_format.m_dateFormat;
}

std::vector<RptNote> RptNotesOf(const CRptBodyContext& body, const CDataNode& node)
{
    std::vector<RptNote> notes;
    bool local = false;
    CDataNode* textNode = nullptr;
    for (const CDataNode* note = node.GetNextNoteText(nullptr, local, textNode, true); note;
         note = node.GetNextNoteText(note, local, textNode, true)) {
        RptNote entry;
        if (textNode)
            entry.text = RptOutputText(*textNode, body.settings.Option(kRptPrivateNotes),
                                       body.settings.Option(kRptRemoveBrackets));
        entry.shared = !local;
        entry.field = note;
        if (!entry.text.empty())
            notes.push_back(std::move(entry));
    }
    return notes;
}

bool RptWriteNoteBlock(CRptBodyContext& body, std::string_view label, const RptNote& note)
{
    const std::string marks = note.field ? body.citations.Marks(*note.field) : std::string();
    return body.out.Row(RptParagraph(label, 0, 0, kRptLevelSection, kRptLabelPart)) &&
           body.out.Row(RptParagraph(note.text, 0, 1, kRptLevelSection, kRptDataPart, marks));
}

bool RptWriteGroupedNote(CRptBodyContext& body, int group, int& headed, std::string_view label,
                         const RptNote& note)
{
    if (headed != group) {
        headed = group;
        if (body.HeadingShown(group))
            body.out.Heading(kRptLevelSection,
                             group == kRptHdgMarrNotes ? "Marriage Notes" : "Individual Notes");
    }
    return RptWriteNoteBlock(body, label, note);
}

bool RptWriteLdsRow(CRptBodyContext& body, const CDataNode& ordinance, const CIndRec* individual,
                    const CFamRec* family)
{
    std::string status;
    if (const CDataNode* stat = ordinance.FindChild(nullptr, FIELD_STAT, true))
        stat->GetText(status, 0);
    const CRptRun runs[] = {
        {RptLdsOrdinanceLabel(ordinance, individual, family, true), kRptLabelPart, {}},
        {RptFactDate(ordinance, body.DateFormat(), nullptr), kRptDataPart, {}},
        {status, kRptDataPart, {}},
        {RptLdsOrdinanceDetails(ordinance), kRptDataPart, body.citations.Marks(ordinance)}};
    return body.out.Runs(kRptLevelSection, runs);
}

std::vector<RptPictureObject> RptPictureObjects(const CDataNode& node)
{
    std::vector<RptPictureObject> objects;
    for (const CDataNode* link = node.FindChild(nullptr, FIELD_OBJE); link;
         link = node.FindChild(link, FIELD_OBJE)) {
        auto* record = dynamic_cast<CObjRec*>(link->GetLinkTarget());
        if (record && record->GetKind() == MEDIA_KIND_PICTURE)
            objects.push_back({record, record, link, kMediaRowLink});
    }
    for (CDataNode* field = node.FindChild(nullptr, FIELD_OBJE_EMBEDDED); field;
         field = node.FindChild(field, FIELD_OBJE_EMBEDDED)) {
        auto* object = dynamic_cast<CObjNode*>(field);
        if (object && object->GetKind() == MEDIA_KIND_PICTURE)
            objects.push_back({object, object, object, kMediaRowEmbedded});
    }
    return objects;
}

CRptLockedPictures::~CRptLockedPictures()
{
    for (CMediaItem* object : m_objects)
        object->Unlock();
}

bool CRptLockedPictures::Take(CMediaItem* object, RptPicture& picture)
{
    if (!object || object->GetKind() != MEDIA_KIND_PICTURE)
        return false;
    object->Lock();
    m_objects.push_back(object);
    const CSize extent = object->GetExtent();
    picture.content = object->GetLoadedContent();
    picture.widthPixels = int(extent.cx);
    picture.heightPixels = int(extent.cy);
    return picture.content && extent.cx > 0 && extent.cy > 0;
}

namespace {

std::string SubjectName(const CRptBodyContext& body, const CRecordNode& record)
{
    std::string name;
    if (const CIndRec* individual = AsIndividual(&record))
        name = body.Name(individual);
    else if (const CFamRec* family = AsFamily(&record))
        family->GetTitle(name);
    else
        record.GetText(name, 0);
    return name;
}

/// The caption of object, shown for subject: the prefix and the subject's name, then the year
/// of the picture's date (", 1890") and the individual's age at it (" (age 23)"), then its
/// title.
std::string Caption(const CRptBodyContext& body, const RptPictureSubject& subject,
                    const RptPictureObject& object)
{
    const CDataNode* node = object.node;
    const int kind = object.kind;
    const auto& flags = body.settings.m_pictures.m_captionFlags;
    std::string caption;
    if (flags[0]) {
        caption = subject.prefix + SubjectName(body, *subject.record);
        const CDateNode* date = GetObjectDate(node, kind);
        const CDateValue& value = date ? date->GetFirstValue() : CDateValue();
        if (flags[1] && date && value.IsValid() && value.GetYear() > 0)
            caption += text::Format(value.IsBC() ? ", %d BC" : ", %d", value.GetYear());
        const CIndRec* individual = AsIndividual(subject.record);
        const std::string age =
            flags[2] && individual ? GetObjectRowText(nullptr, node, kind, individual, 4) : "";
        if (!age.empty())
            caption += " (age " + age + ")";
    }
    std::string title;
    if (const CDataNode* titl = object.holder->FindChild(nullptr, FIELD_TITL, true))
        titl->GetText(title, 0);
    if (flags[3] && !title.empty())
        caption += (caption.empty() ? "\"" : "  \"") + title + "\"";
    return caption;
}

} // namespace

void RptWritePictures(CRptBodyContext& body, std::span<const RptPictureSubject> subjects, int level,
                      bool clearSide, std::set<const CRecordNode*>* pictured)
{
    if (body.out.IsExport())
        return;
    CRptLockedPictures locked;
    std::vector<RptPicture> pictures;
    const CRptPictures& settings = body.settings.m_pictures;
    for (const RptPictureSubject& subject : subjects) {
        if (!subject.record || (pictured && !pictured->insert(subject.record).second))
            continue;
        const int role = std::clamp(subject.role, 0, kRptPicRoleCount - 1);
        int left = settings.m_maxPictures[std::size_t(role)];
        auto* own = dynamic_cast<CObjRec*>(const_cast<CRecordNode*>(subject.record));
        if (own) {
            RptPicture picture;
            if (left > 0 && locked.Take(own, picture)) {
                picture.caption = Caption(body, subject, {own, own, own, kMediaRowEmbedded});
                pictures.push_back(picture);
            }
            continue;
        }
        for (const RptPictureObject& object : RptPictureObjects(*subject.record)) {
            RptPicture picture;
            if (left <= 0)
                break;
            if (!locked.Take(object.object, picture))
                continue;
            picture.caption = Caption(body, subject, object);
            pictures.push_back(picture);
            --left;
        }
    }
    if (pictures.empty())
        return;
    const CRptPicOpts& options =
        settings.m_options[std::size_t(std::clamp(subjects.front().role, 0, kRptPicRoleCount - 1))];
    body.out.Pictures(level, pictures, RptPlacement(options.m_position), GetPicWidth(options),
                      GetPicHeight(options), clearSide);
}

namespace {

/// The report-wide citations of a build.
class CReportCitations final : public IRptCitationList {
public:
    void PurgeDeleted() override
    {
        list.Forget([](const CDataNode& node) { return node.IsPendingDeletion(); });
    }
    CRptCitationList list;
};

CRptCitationList* ReportList(IRptCitationList* citations)
{
    auto* report = dynamic_cast<CReportCitations*>(citations);
    return report ? &report->list : nullptr;
}

} // namespace

std::unique_ptr<IRptCitationList> CRptGenBody::CreateCitationList()
{
    return std::make_unique<CReportCitations>();
}

bool CRptGenBody::BuildBody(CRptFontSet& ctx, int index)
{
    CRecordNode* record = Entries()[std::size_t(index)]->GetRecord();
    if (!record)
        return true;
    const CRptSettings& settings = Settings();
    const bool perEntry = settings.SourceFlag(kRptSourcesEndEntry);
    m_entryCitations.Clear();
    // The report-wide list is filled once, while the build counts the pages; drawing a page
    // and exporting run the same entries again and find it full.
    CRptCitationList* collect = perEntry ? (IsPaginationOnly() ? nullptr : &m_entryCitations)
                                : !ctx.writer && ctx.Counting() ? ReportList(GetCitations())
                                                                : nullptr;
    if (perEntry && ctx.writer)
        ctx.lastCitation = 0;
    CRptLayoutEmitter out(Layout(), ctx);
    CRptCitations citations(settings.SourceFlag(kRptIncludeSources), collect);
    citations.counter = ctx.lastCitation;
    CRptBodyContext body{settings, out, citations, [&] { return StopRequested(ctx); },
                         [&] { return WriteEntrySources(body); }};
    body.restarts = &out;
    // An entry taken up midway has the citations it had collected there.
    const auto* kept = static_cast<const RptKeptWalk*>(ctx.resume);
    if (kept && perEntry && collect)
        *collect = kept->collected;
    const bool going = WriteEntry(body, *record);
    ctx.lastCitation = citations.counter;
    return going;
}

bool CRptGenBody::WriteEntrySources(CRptBodyContext& body)
{
    if (!body.citations.Included() || !body.settings.SourceFlag(kRptSourcesEndEntry))
        return true;
    return RptWriteCitations(body.out, body.settings, m_entryCitations, kRptHeadingSourcesRecord,
                             body.settings.SourceFlag(kRptSourcesStartNewPage), body.stop);
}

bool CRptGenBody::WriteReportSources(CRptFontSet& ctx, int /*index*/)
{
    const CRptCitationList* list = ReportList(GetCitations());
    if (!list)
        return true;
    CRptLayoutEmitter out(Layout(), ctx);
    return RptWriteCitations(out, Settings(), *list, kRptHeadingSourcesAll,
                             Settings().SourceFlag(kRptSourcesStartNewPage),
                             [&] { return StopRequested(ctx); });
}

void CRptGenBody::GetEntryTitle(const CRptRow& entry, std::string& out) const
{
    out.clear();
    if (const CRecordNode* record = entry.GetRecord())
        record->GetText(out, 0);
}
