#pragma once
// DialogTemplateBuilder: a DLGTEMPLATE with items in memory, laid out as the resource compiler
// writes it, for tests that need a dialog without a resource script.
#include <windows.h>
#include <vector>

class DialogTemplateBuilder {
public:
    // Class atoms of the usual controls.
    enum : WORD { kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083, kScrollBar = 0x0084,
                  kComboBox = 0x0085 };

    explicit DialogTemplateBuilder(const char* title,
                                   DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME,
                                   short cx = 200, short cy = 120)
    {
        DLGTEMPLATE t = {};
        t.style = style | DS_SETFONT;
        t.cx = cx;
        t.cy = cy;
        Append(&t, sizeof t);
        Word(0);   // menu
        Word(0);   // class
        Text(title);
        Word(8);
        Text("MS Shell Dlg");
    }
    // A control of a system class (atom above) at x, y (dialog units).
    DialogTemplateBuilder& Item(WORD id, WORD atom, DWORD style, const char* text, short x, short y, short cx = 100,
                                short cy = 12)
    {
        ItemHeader(id, style, x, y, cx, cy);
        Word(0xFFFF);
        Word(atom);
        return ItemEnd(text);
    }
    // A control whose class is named (the common controls have no atoms).
    DialogTemplateBuilder& Item(WORD id, const char* className, DWORD style, const char* text, short x, short y,
                                short cx, short cy)
    {
        ItemHeader(id, style, x, y, cx, cy);
        Text(className);
        return ItemEnd(text);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    void ItemHeader(WORD id, DWORD style, short x, short y, short cx, short cy)
    {
        Align();
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
    }
    // The title, no creation data, and one more item counted.
    DialogTemplateBuilder& ItemEnd(const char* text)
    {
        Text(text);
        Word(0);
        reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->cdit++;
        return *this;
    }
    void Append(const void* p, size_t n)
    {
        const BYTE* b = static_cast<const BYTE*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
    }
    void Word(WORD w) { Append(&w, 2); }
    void Text(const char* s)
    {
        for (; *s; ++s)
            Word(static_cast<BYTE>(*s));
        Word(0);
    }
    void Align()
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    std::vector<BYTE> m_bytes;
};
