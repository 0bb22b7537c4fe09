// common/abort.cpp: the abort convention.
#include "common/abort.h"

void ThrowAbort()
{
    throw COperationAborted();
}
