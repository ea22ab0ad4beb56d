#include "testsupport/emfrecorder.h"

#include <cstring>
#include <map>

namespace {

// The drawing state that the recorded texts report, saved and restored with the DC's state.
struct State {
    LOGFONTA font = {};
    UINT textAlign = 0;
    int bkMode = OPAQUE;
    COLORREF textColour = 0;
    COLORREF bkColour = RGB(255, 255, 255);
    POINT position = {};
};

struct Reader {
    std::map<DWORD, LOGFONTA> handles;
    State state;
    std::vector<State> saved;
};

LOGFONTA ToAnsi(const LOGFONTW& w)
{
    LOGFONTA a;
    std::memcpy(&a, &w, offsetof(LOGFONTA, lfFaceName));
    WideCharToMultiByte(1252, 0, w.lfFaceName, -1, a.lfFaceName, LF_FACESIZE, nullptr, nullptr);
    a.lfFaceName[LF_FACESIZE - 1] = '\0';
    return a;
}

} // namespace

EmfRecorder::EmfRecorder()
{
    m_dc.Attach(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr));
}

EmfRecorder::~EmfRecorder()
{
    Finish();
    if (m_emf)
        DeleteEnhMetaFile(m_emf);
}

int EmfRecorder::CountOf(DWORD type) const
{
    int n = 0;
    for (DWORD t : m_types)
        n += t == type ? 1 : 0;
    return n;
}

void EmfRecorder::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    HDC dc = m_dc.Detach();
    if (!dc)
        return;
    m_emf = CloseEnhMetaFile(dc);
    if (!m_emf)
        return;
    Reader reader;
    UINT size = GetEnhMetaFileBits(m_emf, 0, nullptr);
    std::vector<BYTE> bits(size);
    GetEnhMetaFileBits(m_emf, size, bits.data());
    for (UINT offset = 0; offset + sizeof(EMR) <= size;) {
        const ENHMETARECORD* record = reinterpret_cast<const ENHMETARECORD*>(bits.data() + offset);
        if (record->nSize < sizeof(EMR) || offset + record->nSize > size)
            break;
        Read(record, &reader);
        offset += record->nSize;
    }
}

void EmfRecorder::Read(const ENHMETARECORD* record, void* state)
{
    Reader& r = *static_cast<Reader*>(state);
    State& s = r.state;
    m_types.push_back(record->iType);
    switch (record->iType) {
    case EMR_EXTCREATEFONTINDIRECTW: {
        const auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
        LOGFONTA font = ToAnsi(f->elfw.elfLogFont);
        r.handles[f->ihFont] = font;
        m_fonts.push_back(font);
        break;
    }
    case EMR_SELECTOBJECT: {
        const auto* sel = reinterpret_cast<const EMRSELECTOBJECT*>(record);
        auto it = r.handles.find(sel->ihObject);
        if (it != r.handles.end())
            s.font = it->second;
        break;
    }
    case EMR_DELETEOBJECT:
        r.handles.erase(reinterpret_cast<const EMRDELETEOBJECT*>(record)->ihObject);
        break;
    case EMR_SETTEXTALIGN:
        s.textAlign = reinterpret_cast<const EMRSETTEXTALIGN*>(record)->iMode;
        break;
    case EMR_SETBKMODE:
        s.bkMode = static_cast<int>(reinterpret_cast<const EMRSETBKMODE*>(record)->iMode);
        break;
    case EMR_SETTEXTCOLOR:
        s.textColour = reinterpret_cast<const EMRSETTEXTCOLOR*>(record)->crColor;
        break;
    case EMR_SETBKCOLOR:
        s.bkColour = reinterpret_cast<const EMRSETBKCOLOR*>(record)->crColor;
        break;
    case EMR_SAVEDC:
        r.saved.push_back(s);
        break;
    case EMR_RESTOREDC: {
        int relative = reinterpret_cast<const EMRRESTOREDC*>(record)->iRelative;
        while (relative < 0 && !r.saved.empty()) {
            s = r.saved.back();
            r.saved.pop_back();
            ++relative;
        }
        break;
    }
    case EMR_MOVETOEX:
        s.position = POINT{ reinterpret_cast<const EMRMOVETOEX*>(record)->ptl.x,
                            reinterpret_cast<const EMRMOVETOEX*>(record)->ptl.y };
        break;
    case EMR_LINETO: {
        POINT to = { reinterpret_cast<const EMRLINETO*>(record)->ptl.x,
                     reinterpret_cast<const EMRLINETO*>(record)->ptl.y };
        m_lines.push_back(EmfLine{ s.position, to });
        s.position = to;
        break;
    }
    case EMR_INTERSECTCLIPRECT: {
        const RECTL& c = reinterpret_cast<const EMRINTERSECTCLIPRECT*>(record)->rclClip;
        m_clips.push_back(RECT{ c.left, c.top, c.right, c.bottom });
        break;
    }
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA: {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        EmfText text;
        text.x = t->emrtext.ptlReference.x;
        text.y = t->emrtext.ptlReference.y;
        text.options = t->emrtext.fOptions;
        text.rect = RECT{ t->emrtext.rcl.left, t->emrtext.rcl.top, t->emrtext.rcl.right,
                          t->emrtext.rcl.bottom };
        const BYTE* base = reinterpret_cast<const BYTE*>(record);
        DWORD n = t->emrtext.nChars;
        if (record->iType == EMR_EXTTEXTOUTW) {
            std::wstring wide(reinterpret_cast<const wchar_t*>(base + t->emrtext.offString), n);
            text.wide = wide;
            int bytes = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(n), nullptr, 0,
                                            nullptr, nullptr);
            text.text.resize(static_cast<size_t>(bytes));
            if (bytes > 0)
                WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(n), &text.text[0],
                                    bytes, nullptr, nullptr);
        } else {
            text.text.assign(reinterpret_cast<const char*>(base + t->emrtext.offString), n);
        }
        text.font = s.font;
        text.textAlign = s.textAlign;
        text.bkMode = s.bkMode;
        text.textColour = s.textColour;
        text.bkColour = s.bkColour;
        m_texts.push_back(text);
        break;
    }
    default:
        break;
    }
}
