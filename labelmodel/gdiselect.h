#pragma once
// Selects a GDI object into a device context for one scope and puts the previous one back, so the
// object can be deleted safely afterwards. Declare it after the object it selects.
#include "framework/gdi.h"

class ScopedSelect {
public:
    ScopedSelect(CDC* dc, HGDIOBJ obj) : m_dc(dc), m_previous(dc->SelectObject(obj)) {}
    ScopedSelect(CDC* dc, const CGdiObject& obj) : ScopedSelect(dc, obj.GetSafeHandle()) {}
    ~ScopedSelect()
    {
        if (m_previous)
            m_dc->SelectObject(m_previous);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    CDC* m_dc;
    HGDIOBJ m_previous;
};
