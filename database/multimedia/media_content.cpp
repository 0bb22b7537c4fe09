// database/multimedia/media_content.cpp: what a multimedia object's loaded content offers the
// database (its size, its drawing, writing an embedded object back), and the loader that makes it.
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
