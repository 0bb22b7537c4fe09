// media/window/link_entries.h: the links and notes of one multimedia object, as the window's
// "Links and Notes" list shows them: each note paired with the record link of the same number.
#pragma once

#include "platform/base/geometry.h"

#include <string>
#include <vector>

class CDataNode;
class CMediaItem;
class CRecordNode;

/// One row of the links list: a frame note of the object, a record's multimedia link to it, or
/// both when their numbers agree. The frame is in picture pixels, normalised; empty without one.
struct CMeLinkEntry {
    CDataNode* note = nullptr;
    CRect frame;
    int number = 0;
    CRecordNode* record = nullptr;
    CDataNode* link = nullptr;

    bool HasFrame() const { return !frame.IsRectEmpty(); }
    bool operator==(const CMeLinkEntry& other) const
    {
        return note == other.note && frame == other.frame && number == other.number &&
               record == other.record && link == other.link;
    }
};

/// The entries of the object, reading only: its notes in order, each with the link that carries
/// its number (the first such), then the links that no note claims. Records and fields waiting
/// for deletion are left out. A frame stored with its edges reversed is normalised.
std::vector<CMeLinkEntry> BuildLinkEntries(CMediaItem& item);

/// The first entry whose frame holds point (picture pixels); -1 for none.
int HitTestLinkEntries(const std::vector<CMeLinkEntry>& entries, CPoint point);

/// Makes sure the entry has a note, made under the object when it has none, with the entry's
/// frame and a new number that the link, when there is one, takes too. The note is made only
/// here, when the user gives an entry a text or a frame: looking at an object changes nothing.
/// False when the note cannot be made.
bool EnsureEntryNote(CMediaItem& item, CMeLinkEntry& entry);

/// Stores frame (normalised) as the entry's note's frame, making the note when needed.
bool StoreEntryFrame(CMediaItem& item, CMeLinkEntry& entry, const RECT& frame);
