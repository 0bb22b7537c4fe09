// app/program_services.cpp: installing the program-wide services in order, removing them in
// reverse.
#include "app/program_services.h"

#include <ranges>
#include <utility>

void CProgramServices::Add(Step install, Step remove)
{
    m_services.push_back({std::move(install), std::move(remove)});
}

void CProgramServices::Install()
{
    for (const Service& service : m_services)
        service.install();
    m_installed = true;
}

void CProgramServices::Remove()
{
    if (!m_installed)
        return;
    m_installed = false;
    for (const Service& service : std::views::reverse(m_services))
        service.remove();
}
