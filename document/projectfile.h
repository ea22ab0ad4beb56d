#pragma once
// The ".proj" file: a GUID magic, versions 10 and 2, a flag word, the template names, the template
// blocks, the table font's character set, the table names and the project table records. The
// reader fills a ProjectContent that the document takes over only when the whole file was read.
#include "document/tableslot.h"
#include "framework/cstring.h"

#include <cstdint>
#include <memory>
#include <vector>

class CFile;
class CTemplate;

namespace projectfile {

const int32_t kMajorVersion = 10;
const int32_t kMinorVersion = 2;
const int32_t kFlagCharset = 0x1;
const int kNameCount = 256;
const int kMaxCount = 255;
extern const uint8_t kMagic[16];

enum class ReadResult { ok, corrupt, incompatible };

} // namespace projectfile

// Everything a project file holds.
struct ProjectContent {
    std::vector<CString> templateNames;               // 256
    std::vector<std::unique_ptr<CTemplate>> templates;
    bool hasCharset = false;
    uint8_t tableCharset = 0;
    std::vector<CString> tableNames;                  // 256
    std::vector<TableSlot> tables;

    ProjectContent();
    ~ProjectContent();
    ProjectContent(ProjectContent&&) noexcept;
    ProjectContent& operator=(ProjectContent&&) noexcept;
};

// What a project file is written from (the document's slots; nothing is copied).
struct ProjectSource {
    const CString* templateNames = nullptr;           // 256
    std::vector<CTemplate*> templates;
    uint8_t tableCharset = 0;
    const CString* tableNames = nullptr;              // 256
    const TableSlot* tables = nullptr;
    int tableCount = 0;
};

namespace projectfile {

// Writes the whole project; false when a write failed.
bool Write(CFile* file, const ProjectSource& source);
// Reads the whole project into content (replaced only on ok).
ReadResult Read(CFile* file, ProjectContent& content);

} // namespace projectfile
