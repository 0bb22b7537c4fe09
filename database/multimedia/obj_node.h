// database/multimedia/obj_node.h: a multimedia object described inside another record (an OBJE
// structure with its format, title and file).
#pragma once

#include "database/multimedia/media_item.h"
#include "database/nodes/complex_node.h"

/// An OBJE structure that describes its object in place rather than linking to a multimedia
/// record: its FORM, TITL, FILE (or linked-file) and frame-note sub-fields. The object is a
/// linked file; its own content holder is itself.
class CObjNode final : public CComplexNode, public CMediaItem {
public:
    CObjNode() noexcept { KeepAsPoolOwner(); }
    ~CObjNode() override { DropAsPoolOwner(); }

    const CRuntimeClass* GetRuntimeClass() const override;

    /// The caption (see CMediaItem::GetCaption); withLabel is a flag.
    bool GetText(std::string& text, int withLabel) const override;
    /// The file field changed: the extent is measured again at the next load.
    void OnChildFileChanged() override { ForgetExtent(); }
    /// True for the same embedded flag and kind and file paths equal without regard to case.
    bool IsEqual(const CDataNode* other, const void* options) const override;

    /// An object in place keeps no embedded file.
    bool GetEmbeddedFile(std::string& path) const override;
    CDataNode* GetHolderNode() override { return this; }
    const CDataNode* GetHolderNode() const override { return this; }
};
