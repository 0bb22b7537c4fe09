// merge/window/merge_window_ids.h: the templates and control ids of the merge dialogs and the
// twin-list window (resources/merge.rc).
#pragma once

#include "platform/base/types.h"

namespace merge_ids {

// Templates.
inline constexpr UINT kMergeTemplate = 197, kSourceTemplate = 277, kResultsTemplate = 318;

// The Merge File dialog.
inline constexpr int kTabs = 1312, kMatch = 1308, kUnmatch = 1309, kRetain = 1310, kDiscard = 1311,
                     kCheck = 1313, kUncheck = 1314, kGoTo = 1315, kHelp = 57670;
/// The twin list of record type t has id kFirstTwinList + t.
inline constexpr int kFirstTwinList = 700;
inline constexpr int kLeftList = 500, kCentreGrid = 501, kRightGrid = 502;

// The source dialog.
inline constexpr int kShortTitle = 1320, kTitle = 1319, kNote = 1322;
inline constexpr int kLinkFamilies = 1331, kLinkIndividuals = 1330, kLinkNotes = 1332,
                     kLinkMedia = 1170, kLinkRepositories = 1171, kLinkSubmissions = 1173,
                     kLinkSubmitters = 1174, kLinkSources = 1172;
inline constexpr int kLinkUnchanged = 1175, kLinkNew = 1168, kLinkUpdated = 1169,
                     kLinkNewFields = 1340, kAnnotate = 1337;
inline constexpr int kNoteUnchanged = 1344, kNoteNew = 1342, kNoteUpdated = 1343;

// The results dialog: the MERGED count of each row; DELETED, NEW and OTHER UPDATED follow it.
inline constexpr int kFirstIndividualCount = 1519;

} // namespace merge_ids
