// media/media_content_loader.h: the loader through which the database's multimedia objects get
// decoded pictures and OLE items.
#pragma once

#include "database/multimedia/media_content.h"

class CDocument;

/// Decodes pictures with CPicture and reads OLE items with CAvCntrItem.
class CMediaContentLoader final : public IMediaContentLoader {
public:
    /// Failures give "Unable to load object." the image error's text, or "  Object type not
    /// recognised." for format 0.
    std::unique_ptr<IMediaContent> LoadPicture(const std::string& path, int format,
                                               std::string& errorText) override;
    /// An embedded item reads its bytes from the file; a linked one is a placeholder captioned
    /// with the file's name.
    std::unique_ptr<IMediaContent> LoadOleItem(const std::string& path, bool linked) override;
};

/// Installs the program's loader into the database (once; later calls change nothing).
void InstallMediaContentLoader();
