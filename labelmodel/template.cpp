#include "labelmodel/template.h"

#include "framework/file.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// ---- column map ----

void CTemplateColumnMap::Reset()
{
    for (int& c : columns)
        c = -1;
    memset(separators, 0, sizeof(separators));
}

bool CTemplateColumnMap::operator==(const CTemplateColumnMap& other) const
{
    return memcmp(columns, other.columns, sizeof(columns)) == 0 &&
           memcmp(separators, other.separators, sizeof(separators)) == 0;
}

// ---- password ----

CString ScramblePassword(const char* password)
{
    CString out;
    if (!password)
        return out;
    for (int i = 0; password[i]; ++i) {
        const char c = static_cast<char>(password[i] ^ i);
        // The stored length ends at the first zero byte of the scrambled text.
        if (c == 0)
            break;
        out += c;
    }
    return out;
}

CString UnscramblePassword(const BYTE* bytes, int count)
{
    CString out;
    for (int i = 0; i < count && bytes[i]; ++i)
        out += static_cast<char>(bytes[i] ^ i);
    return out;
}

// ---- construction ----

CTemplate::CTemplate()
{
    for (int a = 0; a < kAreas; ++a) {
        m_areas[a] = new CGraphCollection;
        for (int k = 0; k < kUndoSlots; ++k) {
            m_undo[a][k] = nullptr;
            m_redo[a][k] = nullptr;
        }
    }
}

CTemplate::~CTemplate()
{
    ClearUndo();
    ClearRedo();
    for (CGraphCollection* area : m_areas)
        delete area;
    delete m_labelStock;
}

// ---- areas ----

CGraphCollection* CTemplate::GetArea(int index) const
{
    return index >= 0 && index < kAreas ? m_areas[index] : nullptr;
}

bool CTemplate::DeleteAllObjects()
{
    for (CGraphCollection* area : m_areas)
        area->DeleteAll();
    return true;
}

void CTemplate::ReplaceArea(int index, CGraphCollection* area)
{
    delete m_areas[index];
    m_areas[index] = area;
}

// ---- undo and redo ----

void CTemplate::ClearStack(CGraphCollection* (&stack)[kUndoSlots])
{
    for (CGraphCollection*& entry : stack) {
        delete entry;
        entry = nullptr;
    }
}

void CTemplate::CopyStack(CGraphCollection* (&dest)[kUndoSlots], CGraphCollection* const (&src)[kUndoSlots])
{
    ClearStack(dest);
    for (int k = 0; k < kUndoSlots && src[k]; ++k)
        dest[k] = src[k]->CloneCollection();
}

void CTemplate::ClearUndo()
{
    for (auto& stack : m_undo)
        ClearStack(stack);
}

void CTemplate::ClearRedo()
{
    for (auto& stack : m_redo)
        ClearStack(stack);
}

// The depth allows at least trunc(sqrt(address space in MB)) snapshots, never fewer than the stack
// already holds, and never more than 32.
int CTemplate::GetUndoDepth(int index) const
{
    if (index < 0 || index >= kAreas)
        return 0;
    int held = 0;
    while (held < kUndoSlots && m_undo[index][held])
        ++held;
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    int byMemory = kUndoSlots;
    if (GlobalMemoryStatusEx(&status))
        byMemory = static_cast<int>(std::sqrt(static_cast<double>(status.ullTotalVirtual >> 20)));
    return std::min<int>(kUndoSlots, std::max(held, byMemory));
}

void CTemplate::PushSnapshot(CGraphCollection* (&stack)[kUndoSlots], int index)
{
    const int depth = std::max(1, GetUndoDepth(index));
    delete stack[depth - 1];
    stack[depth - 1] = nullptr;
    for (int k = depth - 1; k > 0; --k)
        stack[k] = stack[k - 1];
    stack[0] = m_areas[index]->CloneCollection();
}

CGraphCollection* CTemplate::PopSnapshot(CGraphCollection* (&stack)[kUndoSlots])
{
    CGraphCollection* top = stack[0];
    for (int k = 0; k + 1 < kUndoSlots; ++k)
        stack[k] = stack[k + 1];
    stack[kUndoSlots - 1] = nullptr;
    return top;
}

void CTemplate::PushUndo(int index, bool clearRedo)
{
    if (m_locked || index < 0 || index >= kAreas)
        return;
    if (clearRedo)
        ClearRedo();
    PushSnapshot(m_undo[index], index);
}

bool CTemplate::PushRedo(int index)
{
    if (m_locked || index < 0 || index >= kAreas)
        return false;
    PushSnapshot(m_redo[index], index);
    return true;
}

CGraphCollection* CTemplate::GetUndoSnapshot(int index, int k) const
{
    if (index < 0 || index >= kAreas || k < 0 || k >= kUndoSlots)
        return nullptr;
    return m_undo[index][k];
}

CGraphCollection* CTemplate::GetRedoSnapshot(int index, int k) const
{
    if (index < 0 || index >= kAreas || k < 0 || k >= kUndoSlots)
        return nullptr;
    return m_redo[index][k];
}

bool CTemplate::Undo(int index)
{
    if (!CanUndo(index))
        return false;
    PushRedo(index);
    ReplaceArea(index, PopSnapshot(m_undo[index]));
    return true;
}

bool CTemplate::Redo(int index)
{
    if (!CanRedo(index))
        return false;
    PushUndo(index, false);
    ReplaceArea(index, PopSnapshot(m_redo[index]));
    return true;
}

// ---- copying ----

void CTemplate::CopySettingsFrom(const CTemplate& src)
{
    if (&src == this)
        return;
    SetLabelStock(src.m_labelStock ? src.m_labelStock->Clone() : nullptr);
    for (int i = 0; i < 3; ++i)
        m_printer[i] = src.m_printer[i];
    m_helpLines = src.m_helpLines;
    m_locked = src.m_locked;
    m_password = src.m_password;
    m_columnMajor = src.m_columnMajor;
    m_copies = src.m_copies;
    m_passes = src.m_passes;
    m_stopAfterPass = src.m_stopAfterPass;
    m_reservedFlag1 = src.m_reservedFlag1;
    m_reservedFlag2 = src.m_reservedFlag2;
    m_fieldContours = src.m_fieldContours;
    m_leftCompensation = src.m_leftCompensation;
    m_topCompensation = src.m_topCompensation;
    for (int a = 0; a < kAreas; ++a)
        m_columnMaps[a] = src.m_columnMaps[a];
    m_printBorders = src.m_printBorders;
    m_borderColour = src.m_borderColour;
    m_borderWidth = src.m_borderWidth;
    m_pauseBetweenPages = src.m_pauseBetweenPages;
    for (int a = 0; a < kAreas; ++a)
        m_zoom[a] = src.m_zoom[a];
}

// Templates move down a slot this way when one is deleted, so nothing of the template that was
// here may survive: the redo stacks come along with the undo stacks.
void CTemplate::CopyFrom(const CTemplate& src)
{
    if (&src == this)
        return;
    for (int a = 0; a < kAreas; ++a) {
        ReplaceArea(a, src.m_areas[a]->CloneCollection());
        CopyStack(m_undo[a], src.m_undo[a]);
        CopyStack(m_redo[a], src.m_redo[a]);
    }
    CopySettingsFrom(src);
}

// ---- label stock ----

void CTemplate::SetLabelStock(CLabel* stock)
{
    if (stock == m_labelStock)
        return;
    delete m_labelStock;
    m_labelStock = stock;
}

void CTemplate::ResetLabelDefinition()
{
    if (!m_labelStock) {
        m_labelStock = new CLabelFileNew;
        return;
    }
    if (CLabelFileNew* stock = dynamic_cast<CLabelFileNew*>(m_labelStock))
        stock->Reset();
}

bool CTemplate::LoadLabelFile(const char* path)
{
    // The stock keeps its path in a fixed field; a longer path could not be stored with it.
    if (!path || !*path || strlen(path) >= kStockPathField)
        return false;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    CLabelFileNew* stock = new CLabelFileNew;
    if (!stock->LoadFromStream(&file, true)) {
        delete stock;
        file.Close();
        return false;
    }
    file.Close();
    stock->SetPath(path);
    stock->SetLoadedFromFile(true);
    SetLabelStock(stock);
    CString device, driver, port;
    if (stock->GetPrinterStrings(device, driver, port))
        SetPrinter(device, driver, port);
    return true;
}

// ---- settings ----

void CTemplate::SetPrinter(const char* device, const char* driver, const char* port)
{
    const char* values[3] = {device, driver, port};
    for (int i = 0; i < 3; ++i)
        m_printer[i] = CString(values[i] ? values[i] : "").Left(kPrinterField - 1);
}

void CTemplate::SetPassword(const char* password)
{
    m_password = CString(password ? password : "").Left(kMaxPassword);
}

CTemplateColumnMap* CTemplate::GetColumnMap(int index)
{
    return index >= 0 && index < kAreas ? &m_columnMaps[index] : nullptr;
}

int CTemplate::GetZoom(int index) const
{
    return index >= 0 && index < kAreas ? m_zoom[index] : -1;
}

void CTemplate::SetZoom(int index, int percent)
{
    if (index >= 0 && index < kAreas)
        m_zoom[index] = percent;
}
