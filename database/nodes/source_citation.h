// database/nodes/source_citation.h: the remembered and the automatic source citation, and adding a
// citation to a node.
#pragma once

#include <string>

class CDataNode;
class CRecordNode;

/// A source citation as a value: the source record and the citation's details.
struct CAutoCitation {
    CRecordNode* m_source = nullptr;
    std::string m_date; // the entry date as GEDCOM date text; empty for none
    int m_quality = -1; // assessment 0 to 3; -1 for none
    std::string m_page; // where within the source
    std::string m_text; // actual text from the source
    std::string m_note;
};

/// Remembers a copy of the citation; null or a citation without a source forgets it.
void SetLastCitation(const CAutoCitation* citation);
const CAutoCitation* GetLastCitation();
/// Installs the automatic citation and its two switches; null or a citation without a source
/// forgets it and clears both switches.
void SetAutoCitation(const CAutoCitation* citation, bool citeNewRecords, bool citeNewFields);
const CAutoCitation* GetAutoCitation();
bool CitesNewRecords();
bool CitesNewFields();
/// Forgets both citations (the data set's reset).
void ForgetCitations();
/// Forgets a citation whose source record is pending deletion (at the end of an edit).
void ForgetDeletedCitations();

/// Adds the automatic citation to the node and each of its descendants wherever a citation may
/// stand; nothing when none is set or a citation is being added.
void ApplyAutoCitation(CDataNode* node);
/// Creates under the node a SOUR link to the citation's source with the details the citation
/// holds (DATA with DATE and TEXT, QUAY, PAGE, NOTE), then ends the edit (NotifyChanges).
/// Null when the node can take no such link.
CDataNode* AddSourceCitation(CDataNode* node, const CAutoCitation& citation);

/// The automatic citation of a node just created by CreateChild.
void CiteNewNode(CDataNode* node);
/// The automatic citation of an empty child that CreateChild reused.
void CiteReusedField(CDataNode* node);
