// bench/generator/reference_writer.h: the note, source and repository records of a synthetic tree.
#pragma once

#include "bench/generator/random_stream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CGedcomLineBuffer;

/// Writes the records that individuals and events point at. Notes are short, several lines
/// long (CONT) or long paragraphs cut into pieces (CONC) that keep every line under 255
/// characters; sources carry a title, author and publication and mostly a repository.
class CReferenceWriter {
public:
    CReferenceWriter(std::uint64_t seed, std::int32_t repositories, CGedcomLineBuffer& out);

    void WriteNote(std::int32_t index);
    void WriteSource(std::int32_t index);
    void WriteRepository(std::int32_t index);

private:
    void ComposeNote(CRandomStream& random);
    void AppendSentences(std::string& out, std::int32_t count, CRandomStream& random);
    /// Writes one paragraph: the first piece on the line given, the rest as CONC lines.
    void WriteParagraph(std::string_view text, bool first, std::int32_t index);

    std::uint64_t m_seed;
    std::int32_t m_repositories;
    CGedcomLineBuffer& m_out;
    std::vector<std::string> m_paragraphs;
    std::string m_text;
};
