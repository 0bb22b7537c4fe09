// tests/app/program_services_test.cpp: the services go in in the order they were added and come
// out in reverse order, once, and only after they went in.
#include "app/program_services.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace {

TEST(ProgramServicesTest, RemovesInReverseOrderOnceAndOnlyAfterInstalling)
{
    std::vector<std::string> steps;
    CProgramServices services;
    for (const std::string name : {"a", "b", "c"})
        services.Add([&steps, name] { steps.push_back("+" + name); },
                     [&steps, name] { steps.push_back("-" + name); });
    services.Remove();
    services.Install();
    services.Remove();
    services.Remove();
    EXPECT_THAT(steps, testing::ElementsAre("+a", "+b", "+c", "-c", "-b", "-a"));
}

} // namespace
