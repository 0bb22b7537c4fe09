// tests/tools/roundtrip.cpp: roundtrip IN.ged OUT.ged: opens IN through the document as the
// program does (the preferences at their defaults, every question answered with its default),
// saves it as OUT in the format it was read in, and prints the path of the exception report
// when the load wrote one. Exits with 1 when the load or the save failed, 2 when it cannot run.
// roundtrip IN.ged OUT.ged --merge SECOND.ged merges SECOND into IN before the save, as the
// merge dialog does when every comparison stands as made and no source record is asked for.
// roundtrip --settings IN OUT: loads a custom diagram (.dgm) or report definition (.avr), by
// IN's extension, and saves it as OUT.
#include "database/dictionary/field_dictionary.h"
#include "database/document/document_data.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/named_list_store.h"
#include "diagrams/diagram_settings.h"
#include "merge/merge_session.h"
#include "platform/base/ini_file.h"
#include "platform/base/prompt_script.h"
#include "platform/base/text.h"
#include "queries/named_list.h"
#include "reports/rpt_settings.h"
#include "templates/settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

/// Prints the text of every message box shown since the last call.
void PrintMessages(CPromptScript& prompt)
{
    for (const CPromptScript::Shown& box : prompt.TakeMessages())
        std::cerr << box.text << "\n";
}

/// Merges second into the document's data set as the merge dialog does when every comparison
/// stands as made and no source record is asked for; false, with every message printed, when a
/// step was refused or failed.
bool Merge(CDocumentData& document, const std::string& second, CPromptScript& prompt)
{
    CMergeSession session;
    const bool loaded = session.Load(second, nullptr) != SecondFileLoad::NotRead;
    if (loaded)
        session.Compare(second, nullptr);
    CMergeEngine* engine = session.GetEngine();
    const bool merged = engine && engine->Merge(nullptr) == MergeOutcome::Merged;
    if (engine && !engine->MergeFailureText().empty())
        std::cerr << engine->MergeFailureText() << "\n";
    if (merged)
        document.TakeMergedFile();
    session.Free();
    NotifyChanges();
    PrintMessages(prompt);
    if (!loaded) {
        std::cerr << LoadErrorMessage(second) << "\n";
        return false;
    }
    if (!merged) {
        std::cerr << "The merge of " << second << " did not take place.\n";
        return false;
    }
    return true;
}

int Run(const std::string& in, const std::string& out, const std::string& second,
        CPromptScript& prompt)
{
    CDocumentData document;
    const bool loaded = document.OpenDocument(in);
    PrintMessages(prompt);
    if (!GetLoadExceptionReport().empty())
        std::cout << GetLoadExceptionReport() << "\n";
    if (!loaded) {
        std::cerr << LoadErrorMessage(in) << "\n";
        return 1;
    }
    if (!second.empty() && !Merge(document, second, prompt))
        return 1;
    std::string error;
    if (!document.SaveDocument(out, error)) {
        std::cerr << "Error saving file " << out << ": " << error << "\n";
        return 1;
    }
    return 0;
}

/// Loads the settings file in and saves them as out, as Save As Custom Diagram and the report
/// files do.
int RunSettings(const std::string& in, const std::string& out, CPromptScript& prompt)
{
    const std::string extension = text::ToLower(std::filesystem::path(in).extension().string());
    if (extension != ".dgm" && extension != ".avr") {
        std::cerr << "roundtrip --settings reads .dgm and .avr files, not " << in << "\n";
        return 2;
    }
    // The stores read a missing or unreadable file as empty; this loads only what is there.
    if (CIniFile file; !std::filesystem::is_regular_file(in) || !file.Load(in)) {
        std::cerr << "The settings file " << in << " cannot be read.\n";
        return 1;
    }
    SaveOutcome outcome;
    if (extension == ".dgm") {
        CDiagramSettings settings;
        settings.LoadSettingsFromFile(in);
        outcome = settings.SaveSettingsToFile(out);
    } else {
        CRptSettings settings;
        settings.Load(CSettingsStore(in));
        CSettingsStore store(out);
        outcome = settings.Save(store, kRptPartAll);
    }
    if (!outcome)
        std::cerr << outcome.failure << "\n";
    PrintMessages(prompt);
    return outcome ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const bool merging = argc == 5 && std::string(argv[3]) == "--merge";
    const bool settings = argc == 4 && std::string(argv[1]) == "--settings";
    if (argc != 3 && !merging && !settings) {
        std::cerr << "usage: roundtrip IN.ged OUT.ged [--merge SECOND.ged]\n"
                     "       roundtrip --settings IN OUT\n";
        return 2;
    }
    setenv(FIELD_DEFS_ENV, ROUNDTRIP_FIELD_DEFS, 0);
    CPromptScript prompt;
    prompt.SetAnswerDefaults(true);
    SetPrompt(&prompt);
    SetNamedListStore(&NamedListStore());
    if (!InitDataModel(nullptr)) {
        PrintMessages(prompt);
        std::cerr << "The field definitions cannot be read from " << GetFieldDefsPath() << ": "
                  << GetFieldDefsError() << "\n";
        return 2;
    }
    const std::string in = std::filesystem::absolute(argv[settings ? 2 : 1]).string();
    const std::string out = std::filesystem::absolute(argv[settings ? 3 : 2]).string();
    const std::string second = merging ? std::filesystem::absolute(argv[4]).string() : "";
    const int result = settings ? RunSettings(in, out, prompt) : Run(in, out, second, prompt);
    TermDataModel();
    ClearNamedLists(true);
    SetNamedListStore(nullptr);
    SetPrompt(nullptr);
    return result;
}
