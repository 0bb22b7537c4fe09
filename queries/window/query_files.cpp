// queries/window/query_files.cpp: the listing of the saved queries of the two query folders.
#include "queries/window/query_files.h"

#include "queries/window/qry_select_dlg.h"

#include "common/abort.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/list_box.h"
#include "queries/query_def.h"

#include <algorithm>

namespace {

/// Whether the file at path belongs in a list of queries of recordType.
bool IsOfRecordType(const std::string& name, bool custom, const std::string& path,
                    const CFieldDef* recordType)
{
    if (!recordType)
        return true;
    auto scratch = CQueryDef::Create();
    std::string error;
    if (!scratch->Load(name, custom, error, &path))
        return true;
    return scratch->GetRecordType() == recordType;
}

/// Lists both folders through a list's own calls: has(entry) and add(entry).
template <typename Has, typename Add> bool ListInto(const CFieldDef* recordType, Has has, Add add)
{
    try {
        for (const bool custom : {false, true}) {
            const std::string folder = BuildQueryFolderPath(false, custom);
            for (const std::string& file : paths::ListFolder(folder, "*.avq")) {
                // A folder or a pipe so named is no query; a pipe must not even be opened.
                if (!paths::IsFile(paths::Join(folder, file)))
                    continue;
                const std::string name = file.substr(0, file.rfind('.'));
                QueryFileEntry entry{custom ? name + kCustomQuerySuffix : name, custom};
                if (has(entry))
                    continue;
                if (!IsOfRecordType(name, custom, paths::Join(folder, file), recordType))
                    continue;
                add(entry);
            }
        }
        return true;
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
}

/// The same for a list box or combo box, whose entries carry the kind as item data.
template <typename Box, typename GetText>
bool ListIntoBox(Box& box, bool emptyFirst, const CFieldDef* recordType, GetText getText)
{
    if (emptyFirst)
        box.ResetContent();
    const auto has = [&](const QueryFileEntry& entry) {
        int at = -1;
        while (true) {
            const int found = box.FindStringExact(at, entry.text.c_str());
            if (found < 0 || found <= at)
                return false;
            std::string text;
            getText(found, text);
            if (text == entry.text && (box.GetItemData(found) != 0) == entry.custom)
                return true;
            at = found;
        }
    };
    const auto add = [&](const QueryFileEntry& entry) {
        const int index = box.AddString(entry.text.c_str());
        if (index >= 0)
            box.SetItemData(index, entry.custom ? 1 : 0);
    };
    return ListInto(recordType, has, add);
}

} // namespace

bool ListQueryFiles(std::vector<QueryFileEntry>& list, bool emptyFirst, const CFieldDef* recordType)
{
    if (emptyFirst)
        list.clear();
    const auto has = [&](const QueryFileEntry& entry) {
        return std::find(list.begin(), list.end(), entry) != list.end();
    };
    const auto add = [&](const QueryFileEntry& entry) { list.push_back(entry); };
    return ListInto(recordType, has, add);
}

bool ListQueryFiles(CListBox& list, bool emptyFirst, const CFieldDef* recordType)
{
    return ListIntoBox(list, emptyFirst, recordType,
                       [&](int index, std::string& text) { list.GetText(index, text); });
}

bool ListQueryFiles(CComboBox& list, bool emptyFirst, const CFieldDef* recordType)
{
    return ListIntoBox(list, emptyFirst, recordType,
                       [&](int index, std::string& text) { list.GetLBText(index, text); });
}

std::string QueryNameFromEntry(const std::string& text)
{
    const std::string suffix = kCustomQuerySuffix;
    if (text.size() >= suffix.size() && text.ends_with(suffix))
        return text.substr(0, text.size() - suffix.size());
    return text;
}

bool SelectQuery(CWnd* parent, std::string& name, bool& custom, bool removeNote,
                 const CFieldDef* recordType)
{
    CQrySelectDlg dialog(removeNote, parent);
    dialog.m_recordType = recordType;
    if (dialog.DoModal() != IDOK)
        return false;
    name = dialog.m_name;
    custom = dialog.m_custom;
    return true;
}
