// diagrams/diag_stats.h: the statistics of a diagram: the boxes on show and the individuals
// they show.
//
// Flag 0x80 is the records' scratch flag: the message clears it before and after counting.
#pragma once

#include <string>

class CDiagRowSet;

/// Adds the number of visible boxes of every row to count, and sets record flag 0x80 on the
/// individual each one shows.
void DiagStatistics(const CDiagRowSet& rowSet, int& count);
/// "Diagram contains %d node%s and references %d individual%s.": clears flag 0x80 on every
/// individual, counts, counts the individuals marked and clears the marks again.
std::string DiagStatisticsMessage(const CDiagRowSet& rowSet);
