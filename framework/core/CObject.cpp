#include "framework/core/CObject.h"

#include <cstring>

namespace {
const CClassRegistration*& FirstRegistration()
{
    static const CClassRegistration* first = nullptr;
    return first;
}
}

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)),
                                             0xFFFF, nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls == base)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* name)
{
    for (const CClassRegistration* r = FirstRegistration(); r; r = r->m_next) {
        if (std::strcmp(r->m_class->m_lpszClassName, name) == 0)
            return r->m_class;
    }
    return nullptr;
}

// Registrations run during static initialisation, before any thread starts.
CClassRegistration::CClassRegistration(const CRuntimeClass* cls)
    : m_class(cls), m_next(FirstRegistration())
{
    FirstRegistration() = this;
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&)
{
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
