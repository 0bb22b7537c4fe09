// database/dictionary/field_dictionary.cpp: the field-definition dictionary: the record and
// structure trees read from the definitions table at start-up, finished, and then shared by
// everything.
#include "database/dictionary/field_dictionary.h"

#include "database/dictionary/field_def_source.h"
#include "database/dictionary/record_type_table.h"

#include "common/whole_file.h"
#include "platform/base/paths.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kInstallError =
    "Initialisation failed.  Installation error?  Please re-install.";

std::unique_ptr<CFieldDictionary> g_dictionary;
std::string g_error;

} // namespace

CFieldDictionary::CFieldDictionary() = default;
CFieldDictionary::~CFieldDictionary() = default;

void CFieldDictionary::AppendChild(CFieldDef* parent, CFieldDef* child)
{
    child->m_parent = parent;
    CFieldDef** link = &parent->m_firstChild;
    while (*link)
        link = &(*link)->m_nextSibling;
    *link = child;
}

bool CFieldDictionary::Fail(std::string message)
{
    m_error = std::move(message);
    return false;
}

CFieldDef* CFieldDictionary::NewDef()
{
    m_defs.push_back(std::make_unique<CFieldDef>());
    return m_defs.back().get();
}

bool CFieldDictionary::Load(std::string_view tableText, CRecordTypeTable* table)
{
    if (!Build(tableText) || !AddBuiltIns())
        return false;
    ResolveLinkTargets(m_recordRoot);
    ResolveLinkTargets(m_structRoot);
    if (!Finish())
        return false;
    if (table) {
        for (CRecordType& row : table->Rows())
            row.m_topDef = FindRecordDef(row.m_tag);
    }
    return true;
}

bool CFieldDictionary::Build(std::string_view tableText)
{
    CFieldDefSource source;
    if (!source.Parse(tableText))
        return Fail(source.GetError());
    m_recordRoot = NewDef();
    m_structRoot = NewDef();
    m_currentRoot = m_structRoot;
    m_levels.clear();
    for (const CFieldDefRecord& record : source.GetRecords()) {
        if (!AddRecord(record)) {
            m_error = "line " + std::to_string(record.line) + ": " + m_error;
            return false;
        }
    }
    return true;
}

bool CFieldDictionary::AddRecord(const CFieldDefRecord& record)
{
    // The reader has checked the levels and that structures come first.
    if (record.level == 0 && record.kind == CFieldDefRecord::Kind::Field) {
        m_currentRoot = m_recordRoot;
        m_levels.clear();
    }
    CFieldDef* def = MakeDef(record);
    if (!def)
        return false;
    CFieldDef* parent = record.level == 0 ? m_currentRoot : m_levels[record.level - 1];
    AppendChild(parent, def);
    m_levels.resize(record.level);
    m_levels.push_back(def);
    return true;
}

CFieldDef* CFieldDictionary::MakeDef(const CFieldDefRecord& record)
{
    using Kind = CFieldDefRecord::Kind;
    CFieldDef* def = NewDef();
    def->m_tag = record.tag;
    def->m_fieldId = record.fieldId;
    def->m_label = record.label;
    if (record.kind == Kind::StructHead) {
        def->m_kind = FDK_STRUCT_HEAD;
        def->m_structFlag = record.structFlag;
        return def;
    }
    for (char letter : record.flags) {
        switch (letter) {
        case '!':
            def->m_flags |= FDF_KEY_COMPARED;
            break;
        case 'A':
            def->m_flags |= FDF_ATTRIBUTE;
            break;
        case 'C':
            def->m_flags |= FDF_TYPED;
            break;
        case 'E':
            def->m_flags |= FDF_EVENT;
            break;
        case 'H':
            def->m_hidden = true;
            break;
        case 'L':
            def->m_lds = true;
            break;
        case 'R':
            def->m_notInAddMenu = true;
            break;
        case 'U':
            def->m_flags |= FDF_NO_CITATION;
            break;
        }
    }
    def->m_minCount = record.minCount;
    def->m_maxCount = record.maxCount;
    if (record.kind == Kind::StructRef) {
        def->m_kind = FDK_STRUCT_REF;
        return def;
    }
    return SetFieldData(*def, record) ? def : nullptr;
}

bool CFieldDictionary::SetFieldData(CFieldDef& def, const CFieldDefRecord& record)
{
    if (record.classValue == 1)
        def.m_flags |= FDF_POINTER_FORM;
    if (record.classValue == 2) {
        def.m_flags |= FDF_LOCAL_FORM;
        if (def.m_tag.size() < 2)
            return Fail("a local form's tag needs its trailing character");
    }
    if (record.readOnly)
        def.m_flags |= FDF_READ_ONLY;
    def.m_contWord = record.allowsCont ? FIELD_COUNT_UNBOUNDED : 0;
    def.m_concWord = record.allowsConc ? FIELD_COUNT_UNBOUNDED : 0;
    def.m_sizeValue = record.sizeValue;
    const FieldTypeName type = LookUpFieldTypeName(record.typeName);
    if (type.dataType == FDT_NONE)
        return Fail("unknown type name '" + record.typeName + "'");
    def.m_dataType = type.dataType;
    def.m_nodeClass = type.nodeClass;
    def.m_controlClass = type.controlClass;
    if (type.clearsSkipWhenChildless)
        def.m_flags &= ~FDF_SKIP_WHEN_CHILDLESS;
    def.m_extraText = record.extraText;
    auto values = std::make_shared<CFieldValues>();
    for (const std::string& entry : record.values) {
        if (def.m_dataType != FDT_ENUM) {
            values->m_items.push_back(entry);
            continue;
        }
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos)
            values->m_enum.emplace_back(entry, entry);
        else
            values->m_enum.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
    }
    def.m_values = std::move(values);
    return true;
}

CFieldDef* CFieldDictionary::MakeTextDef(std::string_view tag, int fieldId, const char* typeName,
                                         std::uint16_t maxCount, std::int16_t sizeValue)
{
    CFieldDefRecord record;
    record.tag = tag;
    record.fieldId = fieldId;
    record.typeName = typeName;
    record.maxCount = maxCount;
    record.sizeValue = sizeValue;
    record.allowsCont = record.allowsConc =
        LookUpFieldTypeName(typeName).dataType == FDT_MULTI_TEXT;
    return MakeDef(record);
}

bool CFieldDictionary::AddBuiltIns()
{
    CFieldDef* head = MutableRecordDef("HEAD");
    if (!head)
        return Fail("the table defines no HEAD record");
    auto makeNote = [this] { return MakeTextDef("_NOTE", FIELD_EXT_NOTE, "EditMulti", 1, 248); };
    CFieldDef* list = MakeTextDef("_LIST", FIELD_EXT_LIST, "Edit", FIELD_COUNT_UNBOUNDED, 90);
    list->m_hidden = true;
    AppendChild(head, list);
    AppendChild(list, makeNote());
    CFieldDef* ids = MakeTextDef("_IDS", FIELD_EXT_IDS, "Edit", FIELD_COUNT_UNBOUNDED, 248);
    AppendChild(list, ids);
    AppendChild(ids, makeNote());

    const CFieldDef* ordinances = FindStructDef(STRUCT_LDS_INDI_ORDINANCES);
    if (!ordinances)
        return Fail("the table defines no structure with id 1011");
    for (CFieldDef* child = ordinances->m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_fieldId == FIELD_SLGS) {
            child->m_fieldId = FIELD_SLGC;
            child->m_tag = "SLGC";
            break;
        }
    }
    return true;
}

void CFieldDictionary::ResolveLinkTargets(CFieldDef* def)
{
    for (CFieldDef* child = def->m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_dataType == FDT_LINK)
            child->m_linkTarget = FindRecordDef(child->m_extraText);
        ResolveLinkTargets(child);
    }
}

CFieldDef* CFieldDictionary::MutableRecordDef(std::string_view tag) const
{
    if (!m_recordRoot)
        return nullptr;
    for (CFieldDef* def = m_recordRoot->m_firstChild; def; def = def->m_nextSibling) {
        if (def->m_tag == tag)
            return def;
    }
    return nullptr;
}

const CFieldDef* CFieldDictionary::FindRecordDef(std::string_view tag) const
{
    return MutableRecordDef(tag);
}

const CFieldDef* CFieldDictionary::FindStructDef(int id) const
{
    if (!m_structRoot || id == 0)
        return nullptr;
    for (const CFieldDef* def = m_structRoot->m_firstChild; def; def = def->m_nextSibling) {
        if (def->m_kind == FDK_STRUCT_HEAD && def->m_fieldId == id)
            return def;
    }
    return nullptr;
}

const CFieldDef* CFieldDictionary::AddCustomFieldDef(const CFieldDef* parent, std::string_view tag)
{
    if (!parent || m_nextUserId < FIELD_USER_FIRST || m_nextUserId > FIELD_USER_LAST)
        return nullptr;
    // Every definition is this dictionary's own, made without const.
    CFieldDef* owner = const_cast<CFieldDef*>(parent->GetSource());
    // A user-defined value is text of any length, continued in CONC and CONT lines.
    CFieldDef* def = MakeTextDef(tag, m_nextUserId++, "EditMulti", FIELD_COUNT_UNBOUNDED, -1);
    def->m_label = tag;
    def->m_flags |= FDF_USER_DEFINED;
    // Every user-defined field of a parent takes one sibling number, one more than the table's
    // last child's, so that such fields keep the order of the file that holds them: numbered in
    // the order a session first met their tags, a merge or an earlier file of the session would
    // order them in a way that the saved file's next load does not.
    const CFieldDef* last = owner->m_firstChild;
    while (last && last->m_nextSibling)
        last = last->m_nextSibling;
    if (last)
        def->m_siblingOrder =
            last->HasFlag(FDF_USER_DEFINED)
                ? last->m_siblingOrder
                : static_cast<std::uint8_t>(std::min(last->m_siblingOrder + 1, 255));
    AppendChild(owner, def);
    owner->RebuildIndex();
    m_customDefs.push_back(def);
    return def;
}

void CFieldDictionary::MarkCustomFieldDefs()
{
    for (CFieldDef* def : m_customDefs)
        def->m_hidden = true;
}

void CFieldDictionary::UnhideCustomFieldDef(const CFieldDef* def)
{
    if (def && def->HasFlag(FDF_USER_DEFINED))
        const_cast<CFieldDef*>(def)->m_hidden = false;
}

std::string GetFieldDefsPath()
{
    const char* path = std::getenv(FIELD_DEFS_ENV);
    if (path && *path)
        return path;
    return paths::Join(paths::ProgramFolder(), FIELD_DEFS_FILE_NAME);
}

EngineOutcome LoadFieldDefinitions()
{
    g_error.clear();
    std::string text;
    if (!ReadWholeFile(GetFieldDefsPath(), text)) {
        g_error = GetFieldDefsPath() + ": cannot be read";
        return EngineOutcome::Refused(kInstallError);
    }
    auto dictionary = std::make_unique<CFieldDictionary>();
    if (!dictionary->Load(text, nullptr)) {
        g_error = dictionary->GetError();
        return {};
    }
    if (!InitRecordTypeTable(RECORD_TYPE_TABLE_VERSION))
        return {};
    for (CRecordType& row : GetRecordTypeTable().Rows())
        row.m_topDef = dictionary->FindRecordDef(row.m_tag);
    g_dictionary = std::move(dictionary);
    return EngineOutcome::Done();
}

bool FinishFieldDefs()
{
    return g_dictionary && g_dictionary->Finish();
}

void FreeFieldDefs()
{
    g_dictionary.reset();
    FreeRecordTypeTable(RECORD_TYPE_TABLE_VERSION);
}

CFieldDictionary* GetFieldDictionary()
{
    return g_dictionary.get();
}

const std::string& GetFieldDefsError()
{
    return g_error;
}

const CFieldDef* FindRecordDefByTag(std::string_view tag)
{
    return g_dictionary ? g_dictionary->FindRecordDef(tag) : nullptr;
}

const CFieldDef* FindStructDefById(int id)
{
    return g_dictionary ? g_dictionary->FindStructDef(id) : nullptr;
}

const CFieldDef* AddCustomFieldDef(const CFieldDef* parent, std::string_view tag)
{
    return g_dictionary ? g_dictionary->AddCustomFieldDef(parent, tag) : nullptr;
}

void MarkCustomFieldDefs()
{
    if (g_dictionary)
        g_dictionary->MarkCustomFieldDefs();
}

void UnhideCustomFieldDef(const CFieldDef* def)
{
    if (g_dictionary)
        g_dictionary->UnhideCustomFieldDef(def);
}
