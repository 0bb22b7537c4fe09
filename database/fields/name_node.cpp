// database/fields/name_node.cpp: CNameNode: the stored name, its parts, and matching for merges.
#include "database/fields/name_node.h"

#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/qualifier_table.h"
#include "database/fields/name_text.h"
#include "database/paths/data_path.h"

#include "common/string_utils.h"
#include "platform/base/text.h"

const CRuntimeClass* CNameNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CNameNode>();
}

bool InitNameStatics()
{
    return FindFieldDefByPath(FindRecordDefByTag("INDI"), "NAME._USED") != nullptr;
}

bool CNameNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    if (!save)
        return WriteControlText(control, GetValue());
    std::string typed;
    if (!ReadControlText(control, typed))
        return false;
    StoreEditedText(NameFromTypedText(typed), notify);
    return true;
}

bool CNameNode::GetDefaultText(std::string& text) const
{
    text.assign(GetValue());
    return true;
}

bool CNameNode::SetText(std::string_view text)
{
    // A tidy name tidies to itself, so every name is tidied, on the stack when it fits there:
    // every name of a file passes here.
    char tidied[256];
    if (text.size() + kTidyNameRoom > sizeof tidied)
        return CEditNode::SetText(TidyNameText(text));
    bool atSign = false;
    const std::string_view name(tidied, TidyNameInto(text, tidied, atSign));
    // Without an "@" a name is neither a cross-reference nor escaped, and is stored as it is.
    if (atSign)
        return CEditNode::SetText(name);
    SetValue(name);
    return true;
}

bool CNameNode::SupportsQualifier(int qualifier) const
{
    return (qualifier >= QUAL_SURNAME && qualifier <= QUAL_STORED) ||
           CEditNode::SupportsQualifier(qualifier);
}

std::string CNameNode::GetChildText(int fieldId) const
{
    std::string text;
    if (const CDataNode* child = FindChild(nullptr, fieldId, true))
        child->GetText(text, 0);
    return text;
}

std::string CNameNode::GetFirstGivenName(bool ignoreUsed) const
{
    if (!ignoreUsed) {
        std::string used = GetChildText(FIELD_EXT_USED);
        if (!used.empty())
            return used;
    }
    const std::string_view name = GetValue();
    const std::size_t open = name.find('/');
    if (open == std::string_view::npos)
        return CountWords(name) < 2 ? std::string() : std::string(FirstWord(name));
    if (!text::TrimView(name.substr(0, open)).empty())
        return std::string(FirstWord(name));
    const std::size_t close = name.find('/', open + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(FirstWord(name.substr(close + 1)));
}

int CNameNode::GetFirstGivenName(char* buffer, int size, bool ignoreUsed) const
{
    return CopyTextToBuffer(GetFirstGivenName(ignoreUsed), buffer, size);
}

std::string CNameNode::GetSurname() const
{
    return std::string(text::TrimView(SplitName(GetValue()).surname));
}

int CNameNode::GetSurname(char* buffer, int size) const
{
    return CopyTextToBuffer(GetSurname(), buffer, size);
}

int CNameNode::HashText() const
{
    int hash = 0;
    for (const char c : GetValue())
        hash += static_cast<signed char>(c);
    return hash;
}

int CNameNode::CompareForMatch(const CNameNode& other, int different, int weak, int sameSurname,
                               int partial, int strong) const
{
    const std::string mySurname = GetSurname();
    const std::string theirSurname = other.GetSurname();
    bool surnameMatch = false;
    if (!mySurname.empty() && !theirSurname.empty()) {
        if (!text::EqualsNoCase(mySurname, theirSurname))
            return different;
        surnameMatch = true;
    }
    const std::string myGiven = GetFirstGivenName(true);
    const std::string theirGiven = other.GetFirstGivenName(true);
    bool givenMatch = false;
    if (!myGiven.empty() && !theirGiven.empty()) {
        if (!text::EqualsNoCase(myGiven, theirGiven))
            return surnameMatch ? weak : different;
        givenMatch = true;
    }
    const bool sameText = text::EqualsNoCase(GetValue(), other.GetValue());
    if (surnameMatch && givenMatch) {
        const int words = CountWords(GetValue());
        if (words >= 3 && words == CountWords(other.GetValue()))
            return sameText ? strong : weak;
        return partial;
    }
    if (surnameMatch || givenMatch)
        return sameText ? sameSurname : weak;
    return weak;
}
