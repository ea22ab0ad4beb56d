// The label library: loading the definitions of the labels folder and the family list.
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelpaper.h"
#include "framework/paths.h"
#include <cstring>
#include <utility>

namespace {
char s_familyNameBuffer[256];
}

CLabelManager::CLabelManager() : m_labels(kMaxLabels), m_families(kMaxFamilies) {}

CLabelManager::~CLabelManager() = default;

void CLabelManager::SetFolder(const char* folder) {
    m_folder = folder;
    if (!m_folder.IsEmpty() && m_folder[m_folder.GetLength() - 1] != '\\' &&
        m_folder[m_folder.GetLength() - 1] != '/')
        m_folder += "\\";
}

void CLabelManager::DeleteLabels() {
    for (auto& label : m_labels)
        label.reset();
    m_count = 0;
}

CLabelFileNew* CLabelManager::GetLabel(int index) const {
    if (index < 0 || index >= m_count)
        return nullptr;
    return m_labels[index].get();
}

int CLabelManager::LoadLabels() {
    HCURSOR previousCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    DeleteLabels();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(m_folder + "*.label", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (m_count >= kMaxLabels)
                break;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            // One unreadable or damaged file costs only itself, never the rest of the library.
            std::unique_ptr<CLabelFileNew> label(new CLabelFileNew);
            if (!label->LoadFromFile(m_folder + found.cFileName, false))
                continue;
            label->SetDefinitionName(FileTitleOf(found.cFileName));
            m_labels[m_count++] = std::move(label);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetCursor(previousCursor);
    return m_count;
}

void CLabelManager::CollectFamilyNames() {
    for (int i = 0; i < m_count; ++i)
        AddFamilyName(m_labels[i]->GetFamilyName());
}

bool CLabelManager::AddFamilyName(const char* name) {
    if (!name)
        return false;
    for (const auto& family : m_families)
        if (family && family->CompareNoCase(name) == 0)
            return false;
    for (auto& family : m_families) {
        if (!family) {
            family.reset(new CString(name));
            return true;
        }
    }
    return false;
}

int CLabelManager::GetFamilyCount() const {
    int count = 0;
    for (const auto& family : m_families)
        if (family)
            ++count;
    return count;
}

const char* CLabelManager::GetFamilyName(int index) const {
    s_familyNameBuffer[0] = '\0';
    if (index >= 0 && index < kMaxFamilies && m_families[index]) {
        strncpy(s_familyNameBuffer, *m_families[index], sizeof(s_familyNameBuffer) - 1);
        s_familyNameBuffer[sizeof(s_familyNameBuffer) - 1] = '\0';
    }
    return s_familyNameBuffer;
}

void CLabelManager::SortFamilyNames() {
    int taken = 0;
    while (taken < kMaxFamilies && m_families[taken])
        ++taken;
    if (taken < 2)
        return;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int i = 0; i + 1 < taken; ++i) {
            if (m_families[i]->CompareNoCase(*m_families[i + 1]) > 0) {
                std::swap(m_families[i], m_families[i + 1]);
                exchanged = true;
            }
        }
    }
}
