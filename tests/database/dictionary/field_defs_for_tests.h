// tests/database/dictionary/field_defs_for_tests.h: the program's field dictionary for tests,
// loaded from the data file that the build put beside the program, and a lookup of definitions by
// path.
#pragma once

#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"

#include <cstdlib>
#include <string_view>

namespace test_support {

/// Loads the program's dictionary unless it is loaded, and points the record-type table at its
/// record definitions (other tests point it at dictionaries of their own); false when loading
/// fails (GetFieldDefsError says why). ARDENVEL_FIELD_DEFS, when set, names another data file.
inline bool LoadTestFieldDefs()
{
    setenv(FIELD_DEFS_ENV, ARDENVEL_TEST_FIELD_DEFS, 0);
    if (!GetFieldDictionary() && !LoadFieldDefinitions())
        return false;
    for (CRecordType& row : GetRecordTypeTable().Rows())
        row.m_topDef = GetFieldDictionary()->FindRecordDef(row.m_tag);
    return true;
}

/// The definition a dotted path of stored tags names from a record ("INDI.BIRT.DATE"); null
/// when some step is missing.
inline const CFieldDef* DefByPath(std::string_view path)
{
    std::size_t dot = path.find('.');
    const CFieldDef* def = FindRecordDefByTag(path.substr(0, dot));
    while (def && dot != std::string_view::npos) {
        path.remove_prefix(dot + 1);
        dot = path.find('.');
        def = FindChildDefByTag(def, path.substr(0, dot));
    }
    return def;
}

} // namespace test_support
