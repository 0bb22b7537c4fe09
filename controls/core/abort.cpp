// controls/core/abort.cpp: the abort convention.
#include "controls/core/abort.h"

void ThrowAbort()
{
    throw 0;
}
