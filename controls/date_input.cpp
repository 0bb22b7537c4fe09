// controls/date_input.cpp: the installed factory of date inputs.
#include "controls/date_input.h"

namespace {

DateInputFactory g_factory = nullptr;

} // namespace

void SetDateInputFactory(DateInputFactory factory)
{
    g_factory = factory;
}

DateInputFactory GetDateInputFactory()
{
    return g_factory;
}
