// records/window/named_lists_pane.cpp: the installed factory of the named-lists pane.
#include "records/window/named_lists_pane.h"

namespace {

NamedListsPaneFactory& Factory()
{
    static NamedListsPaneFactory factory;
    return factory;
}

} // namespace

void InstallNamedListsPaneFactory(NamedListsPaneFactory factory)
{
    Factory() = std::move(factory);
}

std::unique_ptr<INamedListsPane> MakeNamedListsPane()
{
    return Factory() ? Factory()() : nullptr;
}
