// reports/rpt_gen_src.cpp: the Source report and the source and repository details.
#include "reports/rpt_gen_src.h"

#include "database/dictionary/field_ids.h"
#include "database/records/assoc_node.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "reports/rpt_emitter.h"
#include "reports/rpt_settings.h"

#include <span>

namespace {

std::string TextOf(const CDataNode* node)
{
    std::string text;
    if (node)
        node->GetText(text, 0);
    return text;
}

/// Each record and field citing source, "record: field", one line each.
std::string CitingText(CRecordNode& source)
{
    struct Visitor final : ILinkVisitor {
        std::string lines;
        void OnLink(CRecordNode* /*target*/, CAssocNode* link, CRecordNode* holder) override
        {
            if (!holder || link->GetFieldId() != FIELD_SOUR)
                return;
            std::string line = TextOf(holder);
            const CDataNode* field = link->GetParent();
            if (field && field != holder) {
                std::string label;
                field->GetLabel(label);
                line += ": " + label;
            }
            lines += (lines.empty() ? "" : "\n") + line;
        }
    } visitor;
    EnumLinksTo(&source, &visitor, nullptr);
    return visitor.lines;
}

/// One detail item list: catalogue rows by index, each (label, field id) or a special row.
struct DetailRow {
    const char* label;
    int fieldId; // 0: special
};

int WriteDetails(CRptBodyContext& body, CRecordNode& record, const CRptItemList& items,
                 std::span<const DetailRow> catalogue)
{
    int written = 0;
    const auto row = [&](int show, const std::string& label, const std::string& value,
                         const CDataNode* field) {
        if (value.empty() && show != kRptItemShowEmpty)
            return true;
        ++written;
        return body.out.FieldRow(kRptLevelSection, label, value,
                                 field ? body.citations.Marks(*field) : std::string());
    };
    for (const CRptItem& item : items) {
        if (item.m_show == kRptItemHide)
            continue;
        bool going = true;
        if (item.m_index < 0) {
            std::string value;
            item.m_expression.Expand(value, &record);
            going = row(item.m_show, item.m_label + ":", value, nullptr);
        } else if (std::size_t(item.m_index) < catalogue.size()) {
            const DetailRow& detail = catalogue[std::size_t(item.m_index)];
            const std::string key = detail.label;
            if (detail.fieldId != 0) {
                const CDataNode* field = record.FindChild(nullptr, detail.fieldId, true);
                going = row(item.m_show, key, TextOf(field), field);
            } else if (key == "Record Id:") {
                going = row(item.m_show, key, std::to_string(record.GetRecordNumber()), nullptr);
            } else if (key == "Citations:") {
                going = row(item.m_show, key, CitingText(record), nullptr);
            } else if (key == "Telephone:" || key == "Email:" || key == "Web:") {
                const int id = key == "Telephone:" ? FIELD_PHON
                               : key == "Email:"   ? FIELD_EMAIL
                                                   : FIELD_WEB;
                const CDataNode* field = record.FindChild(nullptr, id, true);
                if (!field)
                    if (const CDataNode* address = record.FindChild(nullptr, FIELD_ADDR, true))
                        field = address->FindChild(nullptr, id, true);
                going = row(item.m_show, key, TextOf(field), field);
            } else if (key == "Note:") {
                const std::vector<RptNote> notes = RptNotesOf(body, record);
                if (notes.empty())
                    going = row(item.m_show, key, "", nullptr);
                for (std::size_t i = 0; i < notes.size() && going; ++i) {
                    std::string label = notes.size() > 1 ? text::Format("Note %d", int(i + 1))
                                                         : std::string("Note");
                    label += notes[i].shared ? " (shared):" : ":";
                    going = row(kRptItemShow, label, notes[i].text, notes[i].field);
                }
            }
        }
        if (!going)
            return -1;
    }
    return written;
}

constexpr DetailRow kSourceRows[] = {
    {"Short Title:", FIELD_ABBR},
    {"Title:", FIELD_TITL},
    {"Author:", FIELD_AUTH},
    {"Publication Info:", FIELD_PUBL},
    {"Record Id:", 0},
    {"Custom Id:", FIELD_REFN},
    {"Citations:", 0},
    {"Text From Source:", FIELD_TEXT},
    {"Note:", 0},
};

constexpr DetailRow kRepositoryRows[] = {
    {"Name:", FIELD_NAME}, {"Address:", FIELD_ADDR}, {"Telephone:", 0},          {"Email:", 0},
    {"Web:", 0},           {"Record Id:", 0},        {"Custom Id:", FIELD_REFN}, {"Note:", 0},
};

} // namespace

int RptWriteSourceDetails(CRptBodyContext& body, CRecordNode& source)
{
    return WriteDetails(body, source, body.settings.m_contents.m_items[kRptSrcItems], kSourceRows);
}

int RptWriteRepositoryDetails(CRptBodyContext& body, CRecordNode& repository)
{
    return WriteDetails(body, repository, body.settings.m_contents.m_items[kRptRepItems],
                        kRepositoryRows);
}

bool RptWriteSourceEntry(CRptBodyContext& body, CRecordNode& source)
{
    const CRptSettings& settings = body.settings;
    body.out.NextEntry();
    body.out.Heading(kRptLevelRecord, body.HeadingText(kRptHdgRecSrc, &source));
    const RptPictureSubject own[] = {{&source, kRptPicIndividuals, ""}};
    RptWritePictures(body, own, kRptLevelRecord, false);
    int written = 0;
    if (settings.Option(kRptSectionMain)) {
        body.out.BeginTable(kRptLevelSection, 2);
        const int rows = RptWriteSourceDetails(body, source);
        body.out.EndTable();
        if (rows < 0)
            return false;
        written += rows;
    }
    if (settings.Option(kRptSectionRepo)) {
        for (const CDataNode* link = source.FindChild(nullptr, FIELD_REPO, true); link;
             link = source.FindChild(link, FIELD_REPO, true)) {
            CRecordNode* repository = link->GetLinkTarget();
            if (!repository)
                continue;
            body.out.Heading(kRptLevelSection, body.HeadingText(kRptHdgRepo, repository));
            body.out.BeginTable(kRptLevelSection, 2);
            const int rows = RptWriteRepositoryDetails(body, *repository);
            body.out.EndTable();
            if (rows < 0)
                return false;
            written += rows;
        }
    }
    if (written == 0 && !body.out.Row(RptParagraph(settings.m_format.m_emptySectionText, 0, 1,
                                                   kRptLevelSection, kRptDataPart)))
        return false;
    return body.WriteEntrySources();
}

CRptGenSrc::CRptGenSrc(std::string name, bool custom)
    : CRptGenBody(kRptTypeSrc, std::move(name), custom)
{
    m_recordType = 3;
}

bool CRptGenSrc::WriteEntry(CRptBodyContext& body, CRecordNode& record)
{
    return RptWriteSourceEntry(body, record);
}
