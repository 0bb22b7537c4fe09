// database/fields/file_node.h: a field whose value is the name of a file.
#pragma once

#include "database/fields/edit_node.h"

/// A file name (FILE and the linked-file field of multimedia objects): a single-line text whose
/// changes the multimedia object that holds it is told of.
class CFileNode final : public CEditNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Stores the name (SetTextValue), then tells the parent that its file changed.
    void SetFileName(std::string_view text);
};
