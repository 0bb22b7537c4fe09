// platform/base/object.cpp: run-time class records and the kind test.
#include "platform/base/object.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RuntimeClassOf<CObject>();
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return cls && cls->m_pfnIsKindOf(this);
}

namespace object_detail {

std::string ClassName(const std::type_info& type)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    const std::size_t scope = name.rfind("::", name.find('<'));
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

} // namespace object_detail
