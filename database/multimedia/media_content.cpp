#include "database/multimedia/media_content.h"

namespace {

IMediaContentLoader* s_loader = nullptr;

} // namespace

void SetMediaContentLoader(IMediaContentLoader* loader)
{
    s_loader = loader;
}

IMediaContentLoader* GetMediaContentLoader()
{
    return s_loader;
}
