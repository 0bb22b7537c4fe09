// platform/ui/frames/menu_images.h: the pictures menus show beside their commands: the button
// images of toolbar resources, found by command id.
#pragma once

#include "platform/base/geometry.h"

#include <memory>

/// Images keep the transparency of their toolbar strips; a menu draws an item's picture grey
/// while the item is disabled.
class CMenuImages {
public:
    CMenuImages();
    ~CMenuImages();
    CMenuImages(const CMenuImages&) = delete;
    CMenuImages& operator=(const CMenuImages&) = delete;

    /// Adds the pictures of TOOLBAR resourceId, cut from BITMAP resourceId: the k-th button
    /// that is no separator has the strip's k-th picture. A command that has a picture keeps
    /// its first one. The first toolbar added fixes the picture size; FALSE, adding nothing,
    /// for a toolbar of another size or a missing resource.
    BOOL AddToolBar(UINT resourceId);
    void RemoveAll();

    int GetImageCount() const;
    /// (0, 0) until a toolbar was added.
    CSize GetImageSize() const;
    /// The index of the command's picture, or -1.
    int FindImage(UINT command) const;

private:
    friend class CMenu;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
