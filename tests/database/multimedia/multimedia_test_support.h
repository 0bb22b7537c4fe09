// tests/database/multimedia/multimedia_test_support.h: multimedia records and objects built with
// the program's dictionary and node classes, the GEDCOM lines they write, and a reader that joins
// BLOB continuation records back together as the loader does.
#pragma once

#include "database/dictionary/field_ids.h"
#include "database/fields/blob_node.h"
#include "database/gedcom/buffered_file.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "tests/database/database_test_support.h"
#include "tests/database/dictionary/field_defs_for_tests.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace multimedia_test {

using database_test::MakeNode;

/// The lines of a written file, without their CR LF ends.
inline std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// The written bytes without the change-date lines, which tell when a record was edited.
inline std::string WithoutChangeDates(const std::string& bytes)
{
    std::string kept;
    for (const std::string& line : SplitLines(bytes)) {
        if (!line.starts_with("1 CHAN") && !line.starts_with("2 DATE") &&
            !line.starts_with("3 TIME"))
            kept += line + "\n";
    }
    return kept;
}

/// The record number of a cross-reference "@O12@"; 0 when it is none.
inline std::int32_t XrefNumber(const std::string& xref)
{
    if (xref.size() < 4 || xref.front() != '@' || xref.back() != '@')
        return 0;
    return std::stoi(xref.substr(2, xref.size() - 3));
}

/// The program's node classes over the program's dictionary, change tracking on; checks at
/// the end that every node was freed.
class CMultimediaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveNodes.Start();
        ASSERT_TRUE(test_support::LoadTestFieldDefs());
        for (const char* name : {"CObjRec", "CObjNode", "CBlobNode", "CFormatNode", "CFileNode",
                                 "CEditNode", "CObjNoteNode", "CNumberNode", "CRectNode"})
            m_factories.Save(name);
        RegisterDataNodeClasses();
        for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
            GetRecordIdState(i)->Reset();
        SetChangeTracking(true);
        m_folder = test_support::NewFolder("media");
    }

    void TearDown() override
    {
        SetChangeTracking(false);
        ResetChangeTracking();
        for (std::unique_ptr<CDataNode>& node : m_owned)
            node->DeleteChildren();
        m_owned.clear();
        m_factories.Restore();
        m_liveNodes.Check();
    }

    /// A new multimedia record with that number, owned by the test.
    CObjRec* NewMediaRecord(std::int32_t number)
    {
        CDataNode* node = CreateNodeFromDef(test_support::DefByPath("OBJE"), false, nullptr);
        auto* record = dynamic_cast<CObjRec*>(node);
        EXPECT_NE(record, nullptr);
        m_owned.emplace_back(node);
        record->SetRecordNumber(number);
        return record;
    }

    /// A new record of another type ("INDI"), owned by the test.
    CRecordNode* NewRecord(const char* tag)
    {
        CDataNode* node = CreateNodeFromDef(test_support::DefByPath(tag), false, nullptr);
        m_owned.emplace_back(node);
        return static_cast<CRecordNode*>(node);
    }

    /// Installs a node class's factory for the test.
    void Install(const char* name, CNodeClass::Factory factory)
    {
        m_factories.Install(name, factory);
    }

    /// A new OBJE structure of an individual, owned by the test.
    CObjNode* NewMediaObject()
    {
        CDataNode* node = CreateNodeFromDef(test_support::DefByPath("INDI.OBJE2"), false, nullptr);
        m_owned.emplace_back(node);
        return dynamic_cast<CObjNode*>(node);
    }

    /// Frees a node the test owns (the changed-records list is emptied first).
    void Destroy(CDataNode* node)
    {
        ResetChangeTracking();
        const auto owned = std::find_if(m_owned.begin(), m_owned.end(),
                                        [&](const auto& held) { return held.get() == node; });
        ASSERT_NE(owned, m_owned.end());
        DestroyNodeTree(owned->release());
        m_owned.erase(owned);
    }

    /// Adds a text sub-field (FORM, TITL, FILE, ...) the way a file sets it.
    static CDataNode* AddField(CDataNode* parent, int fieldId, std::string_view text)
    {
        CDataNode* child = parent->CreateChildById(fieldId, {.withChildren = false});
        EXPECT_NE(child, nullptr);
        if (child)
            child->SetText(text);
        return child;
    }

    /// A multimedia record that embeds content (read from a linked file, then unlinked).
    CObjRec* NewEmbeddedRecord(std::int32_t number, const std::string& content,
                               std::string_view format = "bmp")
    {
        CObjRec* record = NewMediaRecord(number);
        AddField(record, FIELD_FORM, format);
        if (content.empty()) {
            // An empty linked file cannot be embedded; empty content comes from a BLOB.
            auto* blob = static_cast<CBlobNode*>(
                record->CreateChildById(FIELD_BLOB, {.withChildren = false}));
            blob->SetContent(content);
            EXPECT_TRUE(record->DecodeBlobs());
            return record;
        }
        const std::string path = m_folder + "/source" + std::to_string(++m_files) + ".bin";
        test_support::WriteFile(path, content);
        CDataNode* file = AddField(record, FIELD_OBJE_LINKED_FILE, path);
        EXPECT_TRUE(record->EmbedLinkedFile());
        record->DeleteChild(file);
        DeletePendingNodes();
        return record;
    }

    /// The bytes that the records write, in order; "FAILED" when writing fails.
    std::string WrittenFile(const std::vector<const CObjRec*>& records)
    {
        const std::string path = m_folder + "/out" + std::to_string(++m_files) + ".ged";
        if (!OpenGedcomInputFile(path, true))
            return "NOT OPENED";
        std::string line;
        bool written = true;
        for (const CObjRec* record : records)
            written = written && record->WriteGedcom(0, line);
        return CloseGedcomInputFile() && written ? test_support::ReadFile(path) : "FAILED";
    }

    /// Reads written multimedia records back as the loader does (change tracking off): BLOB and
    /// CONT lines into BLOB fields, a continuation announced by an OBJE pointer joined to the first
    /// record of its chain and destroyed, then every record finished. Answers the records that
    /// remain.
    std::vector<CObjRec*> ReadBack(const std::string& bytes)
    {
        SetChangeTracking(false);
        std::vector<CObjRec*> heads;
        std::map<std::int32_t, CObjRec*> announced; // continuation number -> chain head
        CObjRec* record = nullptr;
        CDataNode* blob = nullptr;
        CObjRec* continuation = nullptr;
        CObjRec* owner = nullptr;
        auto endRecord = [&] {
            if (continuation) {
                owner->ResolveBlobChain(*continuation);
                DestroyNodeTree(continuation);
                continuation = nullptr;
            }
        };
        for (const std::string& line : SplitLines(bytes)) {
            const std::string rest = line.size() > 2 ? line.substr(2) : std::string();
            if (line.starts_with("0 ")) {
                endRecord();
                const std::int32_t number = XrefNumber(rest.substr(0, rest.find(' ')));
                CDataNode* node =
                    CreateNodeFromDef(test_support::DefByPath("OBJE"), false, nullptr);
                record = static_cast<CObjRec*>(node);
                record->SetRecordNumber(number);
                if (auto found = announced.find(number); found != announced.end()) {
                    owner = found->second;
                    announced.erase(found);
                    continuation = record;
                } else {
                    owner = record;
                    m_owned.emplace_back(record);
                    heads.push_back(record);
                }
            } else if (line == "1 BLOB") {
                blob = record->CreateChildById(FIELD_BLOB, {.withChildren = false});
            } else if (line.starts_with("2 CONT ")) {
                blob->AppendText(line.substr(7), 2);
            } else if (line.starts_with("1 OBJE ")) {
                announced[XrefNumber(line.substr(7))] = owner;
            } else if (line.starts_with("1 FORM ")) {
                AddField(record, FIELD_FORM, line.substr(7));
            }
        }
        endRecord();
        for (CObjRec* head : heads)
            EXPECT_TRUE(head->DecodeBlobs());
        SetChangeTracking(true);
        return heads;
    }

    /// The content of a record's working file; "<none>" without one.
    static std::string WorkingContent(const CObjRec& record)
    {
        return record.GetWorkingFile().empty() ? "<none>"
                                               : test_support::ReadFile(record.GetWorkingFile());
    }

    std::string m_folder;

private:
    database_test::CNodeClassFactories m_factories;
    std::vector<std::unique_ptr<CDataNode>> m_owned;
    database_test::CLiveNodeCheck m_liveNodes;
    int m_files = 0;
};

} // namespace multimedia_test
