// tests/database/gedcom/fuzz/gedcom_roundtrip_fuzz.cpp: the libFuzzer target of the GEDCOM loader
// and writer: each input is loaded, saved, loaded again and saved again over the first save; the
// program aborts when a save fails, when the saved file cannot be loaded, or when the second save
// differs from the first by a byte. Built by `make fuzz` (clang), never by the ordinary build.
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/nodes/data_model.h"
#include "platform/base/paths.h"
#include "platform/base/prompt_script.h"
#include "platform/base/temp_files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

struct FuzzState {
    CPromptScript prompt;
    std::string input;
    std::string saved;
};

FuzzState& State()
{
    static FuzzState* state = [] {
        auto* s = new FuzzState;
        s->prompt.SetAnswerDefaults(true);
        SetPrompt(&s->prompt);
        if (!InitDataModel(nullptr)) {
            std::fprintf(stderr, "the field definitions cannot be read (ARDENVEL_FIELD_DEFS)\n");
            std::abort();
        }
        const std::string folder = temp_files::Folder();
        s->input = paths::Join(folder, "fuzz-" + std::to_string(getpid()) + "-in.ged");
        s->saved = paths::Join(folder, "fuzz-" + std::to_string(getpid()) + "-out.ged");
        return s;
    }();
    return *state;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// The first line where two texts part, with the line before it, from each.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t start = 0, before = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i) {
        if (a[i] == '\n' || a[i] == '\r') {
            before = start;
            start = i + 1;
        }
    }
    const auto excerpt = [&](const std::string& s) {
        const std::size_t end = s.find_first_of("\r\n", s.find_first_of("\r\n", start) + 1);
        return s.substr(before, end == std::string::npos ? std::string::npos : end - before);
    };
    return "first save:\n" + excerpt(a) + "\nsecond save:\n" + excerpt(b);
}

[[noreturn]] void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "gedcom round trip: %s\n%s\n", what, detail.c_str());
    std::abort();
}

/// Saves the data set over path in the format it was loaded in; the bytes written.
std::string SaveOver(const std::string& path)
{
    std::string error;
    GedcomFileFormat format = GetLoadedFileFormat();
    if (!SaveGedcomFile(path, format, error))
        Fail("a save failed", error);
    return ReadAll(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzState& s = State();
    {
        std::ofstream out(s.input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    const bool loaded = LoadGedcomFile(s.input, nullptr, nullptr);
    s.prompt.TakeMessages();
    s.prompt.TakeShellOpens();
    if (loaded) {
        const std::string first = SaveOver(s.saved);
        if (!LoadGedcomFile(s.saved, nullptr, nullptr))
            Fail("the saved file does not load", first);
        s.prompt.TakeMessages();
        s.prompt.TakeShellOpens();
        const std::string second = SaveOver(s.saved);
        if (second != first)
            Fail("the second save differs from the first", FirstDifference(first, second));
    }
    DeleteAllRecords();
    return 0;
}
