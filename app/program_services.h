// app/program_services.h: the program-wide services as one ordered list, each hook added with the
// call that takes it out again, so that whatever start-up installs, exit removes.
#pragma once

#include <functional>
#include <vector>

/// The hooks through which the libraries below the application reach it. Install puts them in
/// place in the order they were added; Remove takes them out in reverse order, once, and only
/// when they were installed.
class CProgramServices {
public:
    using Step = std::function<void()>;

    /// Adds a hook: install puts it in place, remove leaves it unset again.
    void Add(Step install, Step remove);
    void Install();
    void Remove();

private:
    struct Service {
        Step install;
        Step remove;
    };
    std::vector<Service> m_services;
    bool m_installed = false;
};
