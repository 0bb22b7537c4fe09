// platform/base/app_profile.h: the per-user profile of the application, kept in the registry
// under Software\<maker>\<application>\<section>.
#pragma once

#include "platform/base/types.h"

#include <string>

class CAppProfile {
public:
    CAppProfile(std::string maker, std::string application);

    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    std::string GetProfileString(const char* section, const char* entry,
                                 const char* defaultValue = "") const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    /// A null value deletes the entry; a null entry deletes the section.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    const std::string& Maker() const { return m_maker; }
    const std::string& Application() const { return m_application; }

private:
    std::string KeyPath(const char* section) const;

    std::string m_maker;
    std::string m_application;
};
