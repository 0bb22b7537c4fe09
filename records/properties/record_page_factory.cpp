// records/properties/record_page_factory.cpp: the map from page templates to page classes.
#include "records/properties/record_page_factory.h"

#include "records/properties/rec_page_event.h"
#include "records/properties/rec_page_ind_main.h"
#include "records/properties/rec_page_links.h"
#include "records/properties/rec_page_media.h"
#include "records/properties/rec_page_note.h"
#include "records/properties/rec_page_obj_main.h"
#include "records/properties/record_page.h"

namespace {

using PageMaker = CRecordPage* (*)();

template <class Page> CRecordPage* Make()
{
    return new Page;
}

struct PageClassRow {
    UINT templateId;
    /// Null: the template's page is not built yet and stays out of the box.
    PageMaker make;
};

constexpr PageClassRow kPageClasses[] = {
    {172, &Make<CRecPageIndMain>}, // the individual's Main page
    {176, &Make<CRecPageNote>},    // Notes
    {180, &Make<CRecPageSrcMain>}, // a source's Main page
    {227, &Make<CRecPageObjMain>}, // a multimedia record's Main page
    {298, &Make<CRecPageEvent>},   // Events
    {302, &Make<CRecPageMedia>},   // Objects
    {316, &Make<CRecPageSbnMain>}, // a submission's Main page
    {321, &Make<CRecPageHdrMain>}, // the header's Main page
};

} // namespace

CRecordPage* MakeRecordPage(UINT templateId)
{
    for (const PageClassRow& row : kPageClasses) {
        if (row.templateId == templateId)
            return row.make ? row.make() : nullptr;
    }
    return new CRecordPage(templateId);
}
