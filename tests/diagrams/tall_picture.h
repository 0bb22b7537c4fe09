// tests/diagrams/tall_picture.h: a picture loader that answers every file with a picture of 40 by
// 80 pixels, for the tests of boxes that show pictures.
#pragma once

#include "database/multimedia/media_content.h"

#include <memory>
#include <string>

class CTallPicture : public IMediaContent {
public:
    CSize GetExtent() const override { return CSize(40, 80); }
    bool Draw(CDC&, const RECT&, const RECT*) override { return true; }
};

class CTallPictureLoader : public IMediaContentLoader {
public:
    std::unique_ptr<IMediaContent> LoadPicture(const std::string&, int, std::string&) override
    {
        return std::make_unique<CTallPicture>();
    }
    std::unique_ptr<IMediaContent> LoadOleItem(const std::string&, bool) override
    {
        return std::make_unique<CTallPicture>();
    }
};
