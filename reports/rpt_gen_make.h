// reports/rpt_gen_make.h: the maker of the concrete report generators that opening a report
// by name uses (the window side's open flow).
#pragma once

#include "reports/rpt_catalogue.h"
#include "reports/rpt_gen.h"

#include <memory>

/// The generator of the request's type: Individual Summary, Family Group Sheet, Source,
/// Descendant, Ancestor, List (of the request's list) or a record report of its record type;
/// null for any other type or a record report without a record type 0-7.
std::unique_ptr<CRptGen> RptMakeGenerator(const RptGenRequest& request);
