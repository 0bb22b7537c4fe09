// database/fields/blob_node.h: the BLOB text of embedded multimedia content, gathered from its
// lines.
#pragma once

#include "database/nodes/data_node.h"

#include <optional>
#include <string>
#include <string_view>

/// A BLOB field: the six-bit text of embedded content, gathered from the BLOB line and its CONT
/// lines as the file is read. The multimedia record decodes it into its working file; a field
/// still holding text when the file is saved writes it back as it was.
class CBlobNode : public CDataNode {
public:
    /// The text that the lines of one field are cut into.
    static constexpr std::size_t kLineChars = 72;

    CBlobNode() noexcept { KeepAsPoolOwner(); }
    ~CBlobNode() override { DropAsPoolOwner(); }

    const CRuntimeClass* GetRuntimeClass() const override;

    bool IsEmpty() const override { return m_text.empty(); }
    /// The BLOB line's value (normally none) becomes the start of the text. Always true.
    bool SetText(std::string_view text) override;
    /// Appends a continuation's text; CONT and CONC pieces are joined without a separator.
    /// False, with the text as it was, when no room can be had for it.
    bool AppendText(std::string_view text, int continuationKind) override;
    /// "1 BLOB", then the text in "2 CONT" lines of 72 characters; nothing when empty.
    bool WriteGedcom(int level, std::string& line) const override;

    /// The BLOB text as gathered.
    const std::string& GetBlobText() const { return m_text; }
    /// The content the text encodes; none when the text holds a character that is no BLOB
    /// character.
    std::optional<std::string> GetContent() const;
    /// Encodes content as the field's text and marks the node changed.
    void SetContent(std::string_view content);
    /// Takes the other field's text, leaving it empty, and marks both changed.
    void TakeBlobFrom(CBlobNode& other);

private:
    std::string m_text;
};
