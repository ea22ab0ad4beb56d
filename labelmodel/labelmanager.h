#pragma once
// CLabelManager: the label library of the application — every label definition (".label" file) of
// the labels folder, and the product family names offered for filtering. Owns the definitions
// and its copies of the family names.
#include "framework/cstring.h"
#include "framework/object.h"
#include "labelmodel/labelstock.h"
#include <memory>
#include <vector>

class CLabelManager : public CObject {
public:
    enum { kMaxLabels = 4096, kMaxFamilies = 512 };

    CLabelManager();
    ~CLabelManager() override;
    CLabelManager(const CLabelManager&) = delete;
    CLabelManager& operator=(const CLabelManager&) = delete;

    // The user's labels folder (a backslash is added when missing), and the folders of the
    // definitions' pictures and information files.
    void SetFolder(const char* folder);
    const char* GetFolder() const { return m_folder; }
    void SetImagesFolder(const char* folder) { m_imagesFolder = folder; }
    const char* GetImagesFolder() const { return m_imagesFolder; }
    void SetInfoFolder(const char* folder) { m_infoFolder = folder; }
    const char* GetInfoFolder() const { return m_infoFolder; }

    // Replaces the definitions by those of every readable "*.label" file of the folder (at most
    // 4096). Files that are not label definitions or are damaged are passed over. The family list
    // is kept. Answers the number loaded.
    int LoadLabels();
    void DeleteLabels();
    int GetCount() const { return m_count; }
    CLabelFileNew* GetLabel(int index) const;   // nullptr outside 0..count-1

    // Family names: unique without regard to case, at most 512.
    void CollectFamilyNames();
    // False when the name is already listed (in any case) or the list is full.
    bool AddFamilyName(const char* name);
    int GetFamilyCount() const;
    // The name in a buffer shared by every manager; "" for an empty place or an index outside 0..511.
    const char* GetFamilyName(int index) const;
    // Ascending without regard to case.
    void SortFamilyNames();

private:
    int m_count = 0;
    std::vector<std::unique_ptr<CLabelFileNew>> m_labels;
    std::vector<std::unique_ptr<CString>> m_families;
    CString m_folder;
    CString m_imagesFolder;
    CString m_infoFolder;
};
