// reports/rpt_gen_body.h: what every report body works with while it writes one entry: the
// settings, where the elements go, the citation numbering and the way to stop; and the texts
// bodies share (record headings, names, labelled note blocks).
//
// Bodies ask CRptBodyContext::stop between lines; it is the build's stop check
// (CRptGen::StopRequested) while a build counts pages or an export runs, never while a page is
// drawn. An entry cut short by a stop counts as not laid out, and abandons an export. The walks of
// ancestors, descendants and field trees keep their own stacks: a line of any depth (a person who
// is his own ancestor, "Gens" 100,000) ends at the generation limit without recursion.
#pragma once

#include "reports/rpt_citation.h"
#include "reports/rpt_fact_text.h"
#include "reports/rpt_gen.h"

#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CRecordNode;
class CIndRec;
class CFamRec;
class CMediaItem;
class IRptEmitter;
class CRptLayoutEmitter;

/// Heading rows of the settings' heading table that bodies use.
enum RptHeadingRow : int {
    kRptHdgRec = 0,
    kRptHdgRecInd = 1,
    kRptHdgRecFam = 2,
    kRptHdgRecSrc = 3,
    kRptHdgListName = 4,
    kRptHdgFamMember = 7,
    kRptHdgIndEvents = 8,
    kRptHdgLds = 9,
    kRptHdgMarriage = 10,
    kRptHdgIndNotes = 11,
    kRptHdgMarrNotes = 12,
    kRptHdgAddInfo = 14,
    kRptHdgRepo = 15,
};

struct CRptBodyContext {
    const CRptSettings& settings;
    IRptEmitter& out;
    CRptCitations& citations;
    /// Asked between lines: true ends the body (Escape pressed).
    std::function<bool()> stop;
    /// Writes the entry's own sources section, when sources close each entry.
    std::function<bool()> entrySources;

    /// The pages a long walk keeps restart points on; null for exports.
    CRptLayoutEmitter* restarts = nullptr;

    bool Stopped() const { return stop && stop(); }
    /// While a page is drawn: the walk's state kept at the restart point the entry is taken up
    /// from; null when the walk runs from its start.
    const void* Resumed() const;
    /// While the pages are counted: keeps the walk's state, made by make, where the count wants
    /// a restart point (between lines).
    void OfferRestart(const std::function<std::shared_ptr<const void>()>& make);
    bool WriteEntrySources() const { return !entrySources || entrySources(); }
    /// Whether heading row shows (show value 0 or 1).
    bool HeadingShown(int row) const;
    /// Heading row's text expanded for record (null: its plain text); empty when hidden.
    std::string HeadingText(int row, CRecordNode* record) const;
    /// The individual's name for reports, with life dates when "Dates with Names" is on.
    std::string Name(const CIndRec* individual) const;
    /// The individual and family fact filters of the settings.
    RptFactFilterMode IndMode() const;
    RptFactFilterMode FamMode() const;
    RptFactInList IndFilter() const;
    RptFactInList FamFilter() const;
    /// Note texts of node, private passages as the settings say.
    std::vector<std::string> Notes(const CDataNode& node) const;
    int DateFormat() const;
    /// individual when "Ages with Events - if known" is on (its ages follow fact dates), else
    /// null.
    const CIndRec* AgeOf(const CIndRec* individual) const;
    /// Whether an age not recorded with a fact is worked out from the birth ("Ages with Events
    /// - or calc").
    bool AgesCalculated() const;
};

/// What a restart point of a body keeps: the citations its entry had collected there (while
/// sources close each entry) and the walk's own state.
struct RptKeptWalk {
    CRptCitationList collected;
    std::shared_ptr<const void> walk;
};

/// A note of a record: its text for output, whether it is a shared note record, and the NOTE
/// field whose citations it carries.
struct RptNote {
    std::string text;
    bool shared = false;
    const CDataNode* field = nullptr;
};
/// The notes of node in order (empty ones left out).
std::vector<RptNote> RptNotesOf(const CRptBodyContext& body, const CDataNode& node);
/// A labelled note: the label row, then the text with the note's citation marks.
bool RptWriteNoteBlock(CRptBodyContext& body, std::string_view label, const RptNote& note);
/// A note of a group whose heading row is kRptHdgIndNotes ("Individual Notes") or
/// kRptHdgMarrNotes ("Marriage Notes"): the group's heading comes before its first note
/// (unless hidden); headed holds the group headed last.
bool RptWriteGroupedNote(CRptBodyContext& body, int group, int& headed, std::string_view label,
                         const RptNote& note);
/// An LDS ordinance as a row of four runs: its label (numbered; the spouse in family for a
/// sealing to a spouse), date, status and temple with place, its marks after the last.
bool RptWriteLdsRow(CRptBodyContext& body, const CDataNode& ordinance, const CIndRec* individual,
                    const CFamRec* family);

/// A multimedia object of a field that shows a picture: a multimedia record the field links
/// to, or an object the field describes in place (an OBJE with its own FILE).
struct RptPictureObject {
    CMediaItem* object;      // its content
    const CDataNode* holder; // what holds its title: the record, or the object in place
    const CDataNode* node;   // the link, or the object in place
    int kind;                // kMediaRowLink or kMediaRowEmbedded (object_rows.h)
};
/// node's picture objects in the order its list of objects has them: through its links first,
/// then those in place.
std::vector<RptPictureObject> RptPictureObjects(const CDataNode& node);

/// Keeps the content of the multimedia objects whose pictures are being placed loaded until it
/// goes.
class CRptLockedPictures {
public:
    CRptLockedPictures() = default;
    CRptLockedPictures(const CRptLockedPictures&) = delete;
    CRptLockedPictures& operator=(const CRptLockedPictures&) = delete;
    ~CRptLockedPictures();
    /// The object's picture, loaded; false when it has none to show.
    bool Take(CMediaItem* object, RptPicture& picture);

private:
    std::vector<CMediaItem*> m_objects;
};

/// Picture roles of the settings' picture counts and options.
enum RptPictureRole : int { kRptPicIndividuals, kRptPicFamilies, kRptPicChildren, kRptPicSpouses };
/// One subject whose pictures a block shows: its record, the role that limits their number and
/// places them, and the caption's prefix ("Father: ", "Spouse: ").
struct RptPictureSubject {
    const CRecordNode* record;
    int role;
    std::string prefix;
};
/// Places the pictures of the subjects (a multimedia record its own) as one block at
/// level, each captioned as the caption flags say (name, year of the picture's date, the
/// individual's age at it, the picture's title); pages only. With pictured, a subject already
/// in it is left out and each subject shown goes into it, so that a person is pictured and
/// captioned once.
void RptWritePictures(CRptBodyContext& body, std::span<const RptPictureSubject> subjects, int level,
                      bool clearSide, std::set<const CRecordNode*>* pictured = nullptr);

/// The base of the generators whose entries are subject records: each entry's body runs
/// through an emitter over the page layout (or the export writer), with its citations numbered
/// from the entry's first number and, with "Sources End Entry", listed at the entry's end;
/// otherwise the report-wide list collects them for the closing sources section.
class CRptGenBody : public CRptGen {
public:
    using CRptGen::CRptGen;

    bool BuildBody(CRptFontSet& ctx, int index) override;
    bool WriteReportSources(CRptFontSet& ctx, int index) override;
    /// The record's display text; empty for other entries and gone records.
    void GetEntryTitle(const CRptRow& entry, std::string& out) const override;

protected:
    /// Writes one subject record's entry; false when the pass may stop.
    virtual bool WriteEntry(CRptBodyContext& body, CRecordNode& record) = 0;
    /// The entry's sources section when sources close each entry.
    bool WriteEntrySources(CRptBodyContext& body);
    std::unique_ptr<IRptCitationList> CreateCitationList() override;

private:
    CRptCitationList m_entryCitations;
};
