// records/properties/record_page_factory.h: which page class a page template is shown by.
#pragma once

#include "platform/base/types.h"

class CRecordPage;

/// The page of a template: the class the map names for it, a plain CRecordPage for a template
/// the map does not name, or null for a template whose page is left out of the box.
CRecordPage* MakeRecordPage(UINT templateId);
