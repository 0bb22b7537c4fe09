// media/media_content_loader.cpp: the loader through which the database's multimedia objects get
// decoded pictures and OLE items.
#include "media/media_content_loader.h"

#include "media/av_cntr_item.h"
#include "media/picture.h"
#include "platform/ui/image/image_source.h"

#include <filesystem>

namespace {

/// A decoded picture as multimedia content.
class CPictureContent final : public IMediaContent {
public:
    CPicture& Picture() { return m_picture; }
    CSize GetExtent() const override { return m_picture.GetSize(); }
    bool Draw(CDC& dc, const RECT& target, const RECT* source) override
    {
        return m_picture.DrawScaled(dc, target, source) == 0;
    }

private:
    CPicture m_picture;
};

} // namespace

std::unique_ptr<IMediaContent> CMediaContentLoader::LoadPicture(const std::string& path, int format,
                                                                std::string& errorText)
{
    errorText.clear();
    if (format == 0) {
        errorText = "  Object type not recognised.";
        return nullptr;
    }
    auto content = std::make_unique<CPictureContent>();
    if (const UINT error = content->Picture().LoadPicture(path, format)) {
        errorText = GetImageErrorText(error);
        // A file that is not where the object points (a tree restored into another folder
        // without its pictures) is named, so that the user knows what to bring back.
        if (error == image::IMAGE_ERROR_OPEN)
            errorText += "  File: " + path;
        return nullptr;
    }
    return content;
}

std::unique_ptr<IMediaContent> CMediaContentLoader::LoadOleItem(const std::string& path,
                                                                bool linked)
{
    auto item = std::make_unique<CAvCntrItem>();
    if (linked) {
        item->SetCaption(std::filesystem::path(path).filename().string());
        return item;
    }
    if (!item->ReadFromFile(path.c_str()))
        return nullptr;
    item->SetCaption("OLE Object");
    return item;
}

void InstallMediaContentLoader()
{
    static CMediaContentLoader loader;
    SetMediaContentLoader(&loader);
}
