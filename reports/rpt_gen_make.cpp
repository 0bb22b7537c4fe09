// reports/rpt_gen_make.cpp: making a generator by report type.
#include "reports/rpt_gen_make.h"

#include "reports/rpt_gen_anc.h"
#include "reports/rpt_gen_desc.h"
#include "reports/rpt_gen_fam.h"
#include "reports/rpt_gen_ind.h"
#include "reports/rpt_gen_list.h"
#include "reports/rpt_gen_rec.h"
#include "reports/rpt_gen_src.h"

std::unique_ptr<CRptGen> RptMakeGenerator(const RptGenRequest& request)
{
    switch (request.type) {
    case kRptTypeInd:
        return std::make_unique<CRptGenInd>(request.name, request.custom);
    case kRptTypeFam:
        return std::make_unique<CRptGenFam>(request.name, request.custom);
    case kRptTypeSrc:
        return std::make_unique<CRptGenSrc>(request.name, request.custom);
    case kRptTypeDesc:
        return std::make_unique<CRptGenDesc>(request.name, request.custom);
    case kRptTypeAnc:
        return std::make_unique<CRptGenAnc>(request.name, request.custom);
    case kRptTypeList:
        return std::make_unique<CRptGenList>(request.name, request.custom, request.listName);
    case kRptTypeRec:
        if (request.recordType >= 0 && request.recordType <= 7)
            return std::make_unique<CRptGenRec>(request.recordType, request.name, request.custom);
        return nullptr;
    default:
        return nullptr;
    }
}
