// platform/base/object.h: the root class of objects that are made and tested by class record,
// and one run-time class record per class, made without macros.
#pragma once

#include <string>
#include <type_traits>
#include <typeinfo>

class CObject;

/// What the program knows of a class at run time: its name, how to make an empty one, and
/// whether an object is of it.
struct CRuntimeClass {
    /// A new empty object, owned by the caller; null when the class has no factory.
    CObject* CreateObject() const;

    const char* m_lpszClassName;
    /// Null when the class is abstract or has no public default constructor.
    CObject* (*m_pfnCreateObject)();
    /// True for an object of this class or of a class derived from it.
    bool (*m_pfnIsKindOf)(const CObject* object);
};

class CObject {
public:
    virtual ~CObject() = default;
    /// The record of the object's own class. A class that has a record of its own overrides
    /// this with `return RuntimeClassOf<CMyClass>();`.
    virtual const CRuntimeClass* GetRuntimeClass() const;
    /// True when the object is of cls or of a class derived from it, whether or not the classes
    /// in between have records of their own.
    bool IsKindOf(const CRuntimeClass* cls) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

namespace object_detail {
/// The class name of a type as written in the source, without namespaces ("CDateNode").
std::string ClassName(const std::type_info& type);
} // namespace object_detail

/// The one record of class T. Its name is T's own; it has a factory when T can be made empty.
template <class T> const CRuntimeClass* RuntimeClassOf()
{
    static_assert(std::is_base_of_v<CObject, T>, "run-time classes derive from CObject");
    static const std::string name = object_detail::ClassName(typeid(T));
    static const CRuntimeClass record{
        name.c_str(),
        [] {
            CObject* (*factory)() = nullptr;
            if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>)
                factory = []() -> CObject* { return new T; };
            return factory;
        }(),
        [](const CObject* object) { return dynamic_cast<const T*>(object) != nullptr; },
    };
    return &record;
}
