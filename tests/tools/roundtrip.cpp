// tests/tools/roundtrip.cpp: roundtrip IN.ged OUT.ged: opens IN through the document as the
// program does (the preferences at their defaults, every question answered with its default),
// saves it as OUT in the format it was read in, and prints the path of the exception report
// when the load wrote one. Exits with 1 when the load or the save failed, 2 when it cannot run.
#include "database/dictionary/field_dictionary.h"
#include "database/document/document_data.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/data_model.h"
#include "database/nodes/named_list_store.h"
#include "platform/base/prompt_script.h"
#include "queries/named_list.h"

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

int Run(const std::string& in, const std::string& out, CPromptScript& prompt)
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
    std::string error;
    if (!document.SaveDocument(out, error)) {
        std::cerr << "Error saving file " << out << ": " << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: roundtrip IN.ged OUT.ged\n";
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
    const std::string in = std::filesystem::absolute(argv[1]).string();
    const std::string out = std::filesystem::absolute(argv[2]).string();
    const int result = Run(in, out, prompt);
    TermDataModel();
    ClearNamedLists(true);
    SetNamedListStore(nullptr);
    SetPrompt(nullptr);
    return result;
}
