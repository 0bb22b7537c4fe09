// platform/base/present_pages.h: the fresh pages of a large block made present in one request
// before the block is filled, rather than one fault at a time as each is first written.
#pragma once

#include <cstddef>
#include <vector>

/// Makes the pages wholly inside the bytes from start present and writable in one request, for
/// a block of a megabyte or more; a smaller block is left to the faults, which cost less than
/// the request. The system may decline, and the faults then come as before.
void MakePagesPresent(void* start, std::size_t bytes);

/// Room for count values in values, its pages made present as MakePagesPresent makes them.
template <class T> void ReservePresent(std::vector<T>& values, std::size_t count)
{
    values.reserve(count);
    MakePagesPresent(values.data() + values.size(),
                     (values.capacity() - values.size()) * sizeof(T));
}
