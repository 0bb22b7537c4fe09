// database/multimedia/media_format_holder.h: what a format field asks of the multimedia object it
// describes.
#pragma once

#include <string_view>

/// Implemented by the multimedia content holder of a multimedia record or object, the parent
/// of the FORM field. The format decides how the content is loaded, so it may change only
/// while the content is not in use, and never for an object stored in the file.
class IMediaFormatHolder {
public:
    virtual ~IMediaFormatHolder() = default;
    /// True for an object stored in the file, false for a linked file.
    virtual bool IsEmbedded() const = 0;
    /// Above 0 while the content is loaded for someone.
    virtual int GetUseCount() const = 0;
    /// Takes a new format word (compared without regard to case).
    virtual void SetFormat(std::string_view format) = 0;
};
