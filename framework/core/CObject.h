// CObject and CRuntimeClass: run-time class records, dynamic creation and
// the serialisation hook of the archive.
//
//   DECLARE_DYNAMIC(C) / IMPLEMENT_DYNAMIC(C, Base): class record, IsKindOf
//   DECLARE_DYNCREATE(C) / IMPLEMENT_DYNCREATE(C, Base): plus CreateObject
//   DECLARE_SERIAL(C) / IMPLEMENT_SERIAL(C, Base, schema): plus a record the
//     archive finds by name, and operator>> reading a C*
#pragma once

#include "framework/core/Types.h"

class CArchive;
class CObject;

// Added to a schema number: older schemas of the class are loaded too, and
// Serialize asks the archive which one it met (CArchive::GetObjectSchema).
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                        // 0xFFFF when not serialisable
    CObject* (*m_pfnCreateObject)();       // null when not creatable
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;         // null when not creatable
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    bool IsSerializable() const { return m_wSchema != 0xFFFF; }

    // The serialisable class registered under name, or null.
    static const CRuntimeClass* FromName(const char* name);
};

// One per serialisable class (made by IMPLEMENT_SERIAL): links the class
// record into the list the archive searches by name.
class CClassRegistration
{
public:
    explicit CClassRegistration(const CRuntimeClass* cls);
    const CRuntimeClass* m_class;
    const CClassRegistration* m_next;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

class CObject
{
public:
    static const CRuntimeClass classCObject;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* cls) const;
    bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define DECLARE_DYNAMIC(class_name)                                     \
public:                                                                 \
    static const CRuntimeClass class##class_name;                       \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                   \
    DECLARE_DYNAMIC(class_name)                                         \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                      \
    DECLARE_DYNCREATE(class_name)                                       \
    friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define FRAMEWORK_IMPLEMENT_CLASS(class_name, base_name, schema, factory)  \
    const CRuntimeClass class_name::class##class_name = {                  \
        #class_name, static_cast<int>(sizeof(class_name)), (schema),       \
        (factory), RUNTIME_CLASS(base_name)};                              \
    const CRuntimeClass* class_name::GetRuntimeClass() const               \
    {                                                                      \
        return RUNTIME_CLASS(class_name);                                  \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_name)                        \
    FRAMEWORK_IMPLEMENT_CLASS(class_name, base_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                      \
    CObject* class_name::CreateObject() { return new class_name; }      \
    FRAMEWORK_IMPLEMENT_CLASS(class_name, base_name, 0xFFFF,            \
                              class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_name, schema)                 \
    CObject* class_name::CreateObject() { return new class_name; }      \
    FRAMEWORK_IMPLEMENT_CLASS(class_name, base_name, schema,            \
                              class_name::CreateObject)                 \
    static const CClassRegistration registration##class_name(           \
        RUNTIME_CLASS(class_name));                                     \
    CArchive& operator>>(CArchive& ar, class_name*& object)             \
    {                                                                   \
        object = static_cast<class_name*>(                              \
            ar.ReadObject(RUNTIME_CLASS(class_name)));                  \
        return ar;                                                      \
    }
