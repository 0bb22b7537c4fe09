// database/multimedia/media_content.h: what a multimedia object's loaded content offers the
// database (its size, its drawing, writing an embedded object back), and the loader that makes it.
#pragma once

#include "platform/base/geometry.h"

#include <memory>
#include <string>

class CDC;

/// A loaded picture or OLE item, owned by the multimedia object that loaded it.
class IMediaContent {
public:
    virtual ~IMediaContent() = default;
    /// The size in pixels: a picture's, or an OLE item's rectangle.
    virtual CSize GetExtent() const = 0;
    /// Draws the content, or its part source (null: all of it), scaled into target. False when
    /// nothing could be drawn.
    virtual bool Draw(CDC& dc, const RECT& target, const RECT* source) = 0;
    /// Whether the content changed since it was read or last written (an OLE item).
    virtual bool IsChanged() const { return false; }
    /// Writes the content into an existing file; false when it cannot. Pictures are never
    /// written back.
    virtual bool WriteToFile(const std::string& /*path*/) { return false; }
};

/// Makes the content of multimedia objects. The multimedia library installs one at start; while
/// none is installed, objects keep their bytes only.
class IMediaContentLoader {
public:
    virtual ~IMediaContentLoader() = default;
    /// The picture in the file, read as format (a PictureFormat code). Null on failure, with
    /// errorText the reason, to follow "Unable to load object." (it starts with two blanks or
    /// is empty).
    virtual std::unique_ptr<IMediaContent> LoadPicture(const std::string& path, int format,
                                                       std::string& errorText) = 0;
    /// The OLE item stored in the file (embedded), or a stand-in for the linked file. Null when
    /// the file cannot be read.
    virtual std::unique_ptr<IMediaContent> LoadOleItem(const std::string& path, bool linked) = 0;
};

/// Installs the loader (null removes it); the caller keeps it alive while installed.
void SetMediaContentLoader(IMediaContentLoader* loader);
IMediaContentLoader* GetMediaContentLoader();
