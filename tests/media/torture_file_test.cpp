// tests/media/torture_file_test.cpp: the GEDCOM torture file with its linked files: pictures
// decode (found beside the file whatever the current folder), other multimedia gets its type
// names, and embedded bytes (the file's own and an OLE object's) survive save, reload and backup
// unchanged.
#include "common/backup_archive.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "media/av_cntr_item.h"
#include "media/media_content_loader.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace gedcom_test;

namespace {

void ForEachNode(CDataNode* node, const std::function<void(CDataNode*)>& visit)
{
    for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        visit(child);
        ForEachNode(child, visit);
    }
}

std::vector<CObjRec*> MultimediaRecords()
{
    std::vector<CObjRec*> records;
    for (CDataNode* node = GetRecordTypeRoot(7)->GetFirstChild(); node;
         node = node->GetNextSibling())
        records.push_back(dynamic_cast<CObjRec*>(node));
    return records;
}

/// The working files' bytes of the embedded multimedia records, by title.
std::map<std::string, std::string> EmbeddedContent()
{
    std::map<std::string, std::string> content;
    for (CObjRec* record : MultimediaRecords()) {
        if (record && record->IsEmbedded())
            content[record->GetTitle()] = test_support::ReadFile(record->GetWorkingFile());
    }
    return content;
}

class CTortureFileTest : public CGedcomTest {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        InstallMediaContentLoader();
        m_previousFolder = std::filesystem::current_path();
        // The file links its pictures by bare names, next to it.
        std::filesystem::current_path(test_support::DataPath("torture55"));
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_previousFolder);
        SetMediaContentLoader(nullptr);
        CGedcomTest::TearDown();
    }

private:
    std::filesystem::path m_previousFolder;
};

} // namespace

TEST_F(CTortureFileTest, PicturesDecodeAndOtherMultimediaIsNamed)
{
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/TGC551LF.ged")));
    int pictures = 0;
    std::map<std::string, std::string> typeNames;
    ForEachNode(GetRecordTypeRoot(0), [&](CDataNode* node) {
        auto* object = dynamic_cast<CObjNode*>(node);
        if (!object)
            return;
        const std::string file = object->GetFilePath();
        typeNames[std::filesystem::path(file).filename().string()] = object->GetMediaTypeName();
        if (object->GetKind() != MEDIA_KIND_PICTURE)
            return;
        ++pictures;
        object->Lock();
        EXPECT_FALSE(object->HasLoadFailed()) << file << ": " << object->GetErrorText();
        EXPECT_EQ(object->GetExtent(), CSize(100, 100)) << file;
        object->Unlock();
    });
    EXPECT_GE(pictures, 5);
    EXPECT_EQ(typeNames["ImgFile.JPG"], "Picture");
    EXPECT_EQ(typeNames["ImgFile.PCX"], "Picture");
    EXPECT_EQ(typeNames["ImgFile.GIF"], "GIF Picture");
    EXPECT_EQ(typeNames["force.wav"], "Sound");
    EXPECT_EQ(typeNames["Document.DOC"], "Document");
    EXPECT_EQ(typeNames["Document.RTF"], "Document");
    EXPECT_EQ(typeNames["Document.pdf"], "Document");
    EXPECT_EQ(typeNames["Document.tex"], "Other Multimedia (TEX)");
}

TEST_F(CTortureFileTest, PicturesNamedWithoutAFolderAreFoundBesideTheFileNotInTheCurrentFolder)
{
    struct CFolderReset {
        ~CFolderReset() { SetLinkedFileFolder({}); }
    } reset;
    const std::string tree = PathOf("tree");
    std::filesystem::create_directories(tree);
    for (const auto& entry :
         std::filesystem::directory_iterator(test_support::DataPath("torture55")))
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), tree + "/" + entry.path().filename().string());
    const std::string path = tree + "/TGC551LF.ged";
    std::filesystem::copy_file(test_support::DataPath("gedcom/TGC551LF.ged"), path);
    std::filesystem::current_path(test_support::NewFolder("torture_elsewhere"));
    SetLinkedFileFolder(path);

    ASSERT_TRUE(Load(path));
    int pictures = 0;
    ForEachNode(GetRecordTypeRoot(0), [&](CDataNode* node) {
        auto* object = dynamic_cast<CObjNode*>(node);
        if (!object || object->GetKind() != MEDIA_KIND_PICTURE)
            return;
        ++pictures;
        object->Lock();
        EXPECT_FALSE(object->HasLoadFailed())
            << object->GetFilePath() << ": " << object->GetErrorText();
        EXPECT_EQ(object->GetExtent(), CSize(100, 100)) << object->GetFilePath();
        object->Unlock();
    });
    EXPECT_GE(pictures, 5);
}

TEST_F(CTortureFileTest, EmbeddedBytesSurviveSaveReloadAndBackup)
{
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/TGC551LF.ged")));

    // An OLE object of another program, embedded the way a load makes one.
    std::string oleBytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    for (int i = 0; i < 9000; ++i)
        oleBytes += char(i * 31 % 251);
    const std::string oleSource = File("object.ole", oleBytes);
    CDataNode* node = GetRecordTypeRoot(7)->CreateChild(FindRecordDefByTag("OBJE"));
    auto* ole = dynamic_cast<CObjRec*>(node);
    ASSERT_NE(ole, nullptr);
    SetTextValue(ole->CreateChildById(FIELD_FORM, {.withChildren = false}), "ole");
    SetTextValue(ole->CreateChildById(FIELD_TITL, {.withChildren = false}), "Spreadsheet");
    ole->SetFormat("ole");
    CDataNode* file = ole->CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false});
    SetTextValue(file, oleSource);
    ASSERT_TRUE(ole->EmbedLinkedFile());
    ole->DeleteChild(file);
    DeletePendingNodes();
    ole->Lock();
    ASSERT_NE(dynamic_cast<CAvCntrItem*>(ole->GetLoadedContent()), nullptr);

    const std::map<std::string, std::string> before = EmbeddedContent();
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before.at("Spreadsheet"), oleBytes);
    EXPECT_GT(before.at("Dummy Multimedia Object").size(), 300u) << "the flower";
    const std::string first = Save(PathOf("first.ged"));
    ASSERT_FALSE(first.starts_with("FAILED")) << first;
    ole->Unlock();

    ASSERT_TRUE(Load(PathOf("first.ged")));
    EXPECT_EQ(EmbeddedContent(), before);
    const std::string second = Save(PathOf("first.ged"));
    EXPECT_TRUE(second == first) << "a second save equals the first: "
                                 << FirstDifference(second, first);

    // A backup holds the saved file; restored and loaded, it gives the same bytes.
    ASSERT_EQ(WriteZipBackup(PathOf("first.ged"), PathOf("backup.zip")), ZipBackupResult::Ok);
    CZipBackupReader reader;
    ASSERT_EQ(reader.Open(PathOf("backup.zip")), CZipBackupReader::OpenResult::Ok);
    std::string stored;
    ASSERT_EQ(reader.GoToFirstEntry(stored), CZipBackupReader::EntryResult::Ok);
    ASSERT_EQ(reader.ExtractEntryTo(PathOf("restored.ged")), RestoreResult::Ok);
    reader.Close();
    ASSERT_TRUE(Load(PathOf("restored.ged")));
    EXPECT_EQ(EmbeddedContent(), before);
}
