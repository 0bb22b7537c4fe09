// reports/rpt_settings_text.h: the stored text forms of picture options, picture gaps, item-list
// lines and event-list lines.
#pragma once

#include "reports/rpt_settings.h"

#include <string>
#include <string_view>

/// "{SR,M}", or "{TC,C,120,80}" for a custom size.
std::string PicOptsToText(const CRptPicOpts& options);
/// Tolerant: unknown positions read as "To the Right of the Text", unknown sizes as medium.
CRptPicOpts ParsePicOpts(std::string_view text);

/// "{left,above,right,below,caption}".
std::string PicGapsToText(const CRptPicGaps& gaps);
/// Up to five comma-separated integers after white space and an opening brace; negative values
/// read as 0, numbers not given keep the default's.
CRptPicGaps ParsePicGaps(std::string_view text, const CRptPicGaps& defaults = {});

/// "S<show>,<index>" or "C<show>,"<label>","<expression>"" (doubled quotes inside). Show values
/// other than 1 and 2 are written as 0.
std::string RptItemToText(const CRptItem& item);
/// False, item unchanged, for a line that is neither form.
bool ParseRptItem(std::string_view text, CRptItem& item);

/// "S:<field id>", "CE:<name>" or "CA:<name>"; empty for an entry that cannot be stored (no field
/// id and no name, or a custom kind other than 1 and 2).
std::string EventEntryToText(const CEventListEntry& entry);
bool ParseEventEntry(std::string_view text, CEventListEntry& entry);
