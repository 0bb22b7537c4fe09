// database/dictionary/field_dictionary.h: the field-definition dictionary: the record and structure
// trees read from the definitions table at start-up, finished, and then shared by everything.
#pragma once

#include "database/dictionary/field_def.h"
#include "database/nodes/outcome.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct CFieldDefRecord;
class CRecordTypeTable;

/// The environment variable that names the data file; without it the file is looked for
/// beside the program.
inline constexpr const char* FIELD_DEFS_ENV = "ARDENVEL_FIELD_DEFS";
inline constexpr const char* FIELD_DEFS_FILE_NAME = "field_defs.txt";

/// The definitions of user-defined fields, in the order they were made.
using CFieldDefList = std::vector<CFieldDef*>;

/// Owns every definition of one dictionary: the record tree (its children are the record
/// definitions), the tree of shared structures, and the definitions of user-defined fields.
/// Building reads the table's lines; finishing expands each structure reference into copies
/// of the structure's members, so that a structure's fields stand under every user of it with
/// their own counts, while their children are read from the one shared source.
class CFieldDictionary final {
public:
    CFieldDictionary();
    ~CFieldDictionary();
    CFieldDictionary(const CFieldDictionary&) = delete;
    CFieldDictionary& operator=(const CFieldDictionary&) = delete;

    /// Reads the table, adds the built-in definitions, resolves link targets and finishes;
    /// the record tops go into table when one is given. False, with GetError, on the first
    /// problem (the table is then left untouched). Load once per dictionary.
    bool Load(std::string_view tableText, CRecordTypeTable* table);
    /// Expands the shared structures, numbers siblings, gives event and ordinance groups
    /// shared order numbers and marks the records that carry a change stamp.
    bool Finish();

    const CFieldDef* GetRecordRoot() const { return m_recordRoot; }
    const CFieldDef* GetStructRoot() const { return m_structRoot; }
    const CFieldDef* FindRecordDef(std::string_view tag) const;
    /// The structure head with that id; null for 0 or an id no structure has.
    const CFieldDef* FindStructDef(int id) const;

    /// A new single-line text field tag under parent (its source for a copy), with the next
    /// user-defined id; null once ids 1001 to 3000 are used up. Ids are never reused.
    const CFieldDef* AddCustomFieldDef(const CFieldDef* parent, std::string_view tag);
    /// Hides every user-defined field, so that the fields of a closed file are not offered.
    void MarkCustomFieldDefs();
    /// Offers a user-defined field again (a loaded file uses it); other definitions are left.
    void UnhideCustomFieldDef(const CFieldDef* def);
    const CFieldDefList& GetCustomFieldDefs() const { return m_customDefs; }
    int GetNextUserFieldId() const { return m_nextUserId; }

    const std::string& GetError() const { return m_error; }

private:
    static void AppendChild(CFieldDef* parent, CFieldDef* child);
    bool Fail(std::string message);
    CFieldDef* NewDef();
    bool Build(std::string_view tableText);
    bool AddRecord(const CFieldDefRecord& record);
    CFieldDef* MakeDef(const CFieldDefRecord& record);
    bool SetFieldData(CFieldDef& def, const CFieldDefRecord& record);
    bool AddBuiltIns();
    /// A text definition made in code (the built-ins and user-defined fields).
    CFieldDef* MakeTextDef(std::string_view tag, int fieldId, const char* typeName,
                           std::uint16_t maxCount, std::int16_t sizeValue);
    void ResolveLinkTargets(CFieldDef* def);
    bool ExpandChildren(CFieldDef* def, bool strict);
    bool ExpandReference(CFieldDef* parent, CFieldDef* reference, bool strict);
    CFieldDef* MakeCopy(const CFieldDef& source, const CFieldDef& reference, CFieldDef* parent);
    bool NumberSiblings(CFieldDef* def);
    void ShareGroupOrders(CFieldDef* recordDef);
    void IndexChildren(CFieldDef* def);
    CFieldDef* MutableRecordDef(std::string_view tag) const;

    std::vector<std::unique_ptr<CFieldDef>> m_defs; // every definition, whatever its kind
    CFieldDef* m_recordRoot = nullptr;
    CFieldDef* m_structRoot = nullptr;
    CFieldDefList m_customDefs;
    int m_nextUserId = FIELD_USER_FIRST;
    std::string m_error;
    // While building: the tree lines go to, and the last definition of each level.
    CFieldDef* m_currentRoot = nullptr;
    std::vector<CFieldDef*> m_levels;
    bool m_unresolved = false; // an expansion pass left a reference for a later pass
};

/// Reads the data file (the file named by ARDENVEL_FIELD_DEFS, else field_defs.txt beside the
/// program), builds the program's dictionary and puts the record tops into the record-type
/// table. Any failure is not done and leaves the dictionary loaded before, if any, in place; a
/// file that cannot be read comes back with the installation-error message.
EngineOutcome LoadFieldDefinitions();
/// Finishes the program's dictionary again; false when none is loaded or finishing fails.
bool FinishFieldDefs();
/// Destroys the program's dictionary and clears the record-type table.
void FreeFieldDefs();
/// The program's dictionary; null before LoadFieldDefinitions and after FreeFieldDefs.
CFieldDictionary* GetFieldDictionary();
/// Why the last LoadFieldDefinitions failed; empty after a success.
const std::string& GetFieldDefsError();
/// Where LoadFieldDefinitions looks for the data file.
std::string GetFieldDefsPath();

// The program dictionary's lookups; each answers null (nothing) when none is loaded.
const CFieldDef* FindRecordDefByTag(std::string_view tag);
const CFieldDef* FindStructDefById(int id);
const CFieldDef* AddCustomFieldDef(const CFieldDef* parent, std::string_view tag);
void MarkCustomFieldDefs();
void UnhideCustomFieldDef(const CFieldDef* def);
