// The ".proj" writer and reader, and the document's side of them.
#include "document/projectfile.h"

#include "document/documentstrings.h"
#include "document/labeldoc.h"
#include "document/projectarchive.h"
#include "framework/file.h"
#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "framework/safefile.h"
#include "labelmodel/template.h"

#include <cstring>
#include <utility>

namespace projectfile {

const uint8_t kMagic[16] = {0xd3, 0x48, 0x3f, 0x8b, 0xe6, 0x14, 0x35, 0x47,
                            0xba, 0xee, 0xc8, 0xf6, 0x5f, 0x74, 0xa9, 0x3a};

bool Write(CFile* file, const ProjectSource& source)
{
    RecordWriter out(file);
    out.Raw(kMagic, sizeof kMagic);
    out.I32(kMajorVersion);
    out.I32(kMinorVersion);
    out.I32(kFlagCharset);
    projectarchive::WriteStringList(out, source.templateNames, kNameCount);
    out.I32(static_cast<int32_t>(source.templates.size()));
    if (!out.ok())
        return false;
    for (CTemplate* tmpl : source.templates) {
        if (!tmpl->WriteTemplate(false, file))
            return false;
    }
    out.U8(source.tableCharset);
    projectarchive::WriteStringList(out, source.tableNames, kNameCount);
    out.I32(source.tableCount);
    if (!out.ok())
        return false;
    for (int j = 0; j < source.tableCount; ++j) {
        if (!source.tables[j].WriteProjectRecord(file))
            return false;
    }
    return out.ok();
}

ReadResult Read(CFile* file, ProjectContent& content)
{
    RecordReader in(file);
    uint8_t magic[16];
    if (!in.Raw(magic, sizeof magic) || memcmp(magic, kMagic, sizeof magic) != 0)
        return ReadResult::corrupt;
    int32_t major = 0, minor = 0, flags = 0;
    if (!in.I32(major))
        return ReadResult::corrupt;
    if (major < 0 || major > kMajorVersion)
        return ReadResult::incompatible;
    if (!in.I32(minor))
        return ReadResult::corrupt;
    if (minor < 0 || minor > kMinorVersion)
        return ReadResult::incompatible;
    if (!in.I32(flags))
        return ReadResult::corrupt;

    ProjectContent read;
    int32_t count = 0;
    if (!projectarchive::ReadStringList(in, read.templateNames, kNameCount) || !in.I32(count) ||
        count < 1 || count > kMaxCount)
        return ReadResult::corrupt;
    read.templates.reserve(count);
    for (int k = 0; k < count; ++k) {
        auto tmpl = std::make_unique<CTemplate>();
        if (!tmpl->ReadTemplate(file))
            return ReadResult::corrupt;
        read.templates.push_back(std::move(tmpl));
    }

    if (flags & kFlagCharset) {
        read.hasCharset = true;
        if (!in.U8(read.tableCharset))
            return ReadResult::corrupt;
    }
    if (!projectarchive::ReadStringList(in, read.tableNames, kNameCount) || !in.I32(count) ||
        count < 1 || count > kMaxCount)
        return ReadResult::corrupt;
    read.tables.reserve(count);
    for (int j = 0; j < count; ++j) {
        read.tables.emplace_back();
        if (!read.tables.back().ReadProjectRecord(file))
            return ReadResult::corrupt;
    }
    content = std::move(read);
    return ReadResult::ok;
}

} // namespace projectfile

ProjectContent::ProjectContent() = default;
ProjectContent::~ProjectContent() = default;
ProjectContent::ProjectContent(ProjectContent&&) noexcept = default;
ProjectContent& ProjectContent::operator=(ProjectContent&&) noexcept = default;

// ---------------------------------------------------------------------------------------------
// The document's side

bool COstrelindSoftLabelDoc::WriteProjectFile(const char* path)
{
    TakeNamesFromTabs();
    ProjectSource source;
    source.templateNames = m_templateNames;
    source.templates.reserve(m_templateCount);
    for (int k = 0; k < m_templateCount; ++k)
        source.templates.push_back(m_templates[k].get());
    source.tableCharset = m_tableFont.lfCharSet;
    source.tableNames = m_tableNames;
    source.tables = m_tableSlots;
    source.tableCount = m_tableCount;
    return ::WriteFileReplacing(path, [&source](CFile& file) { return projectfile::Write(&file, source); });
}

bool COstrelindSoftLabelDoc::ReadProjectFile(const char* path)
{
    auto report = [](UINT id, const char* fallback, const char* argument) {
        const CString format = LoadStringOr(id, fallback);
        CString text;
        if (argument != nullptr)
            text.Format(format, argument);
        else
            text = format;
        ShowMessageBox(nullptr, text.Left(299), nullptr, MB_OK | MB_ICONERROR);
    };

    CFile file;
    if (path == nullptr || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        report(IDS_CANNOT_OPEN_FILE, "Can not open file %s", path ? path : "");
        return false;
    }
    ProjectContent content;
    switch (projectfile::Read(&file, content)) {
    case projectfile::ReadResult::ok:
        break;
    case projectfile::ReadResult::incompatible:
        report(IDS_INCOMPATIBLE_VERSION, "Incompatible file version", nullptr);
        return false;
    default:
        report(IDS_CORRUPT_PROJECT_FILE, "Corrupt project file", nullptr);
        return false;
    }
    file.Close();
    AdoptProject(content);
    return true;
}

void COstrelindSoftLabelDoc::AdoptProject(ProjectContent& content)
{
    m_templateCount = static_cast<int>(content.templates.size());
    for (int k = 0; k < kSlotCount; ++k) {
        m_templates[k] = k < m_templateCount ? std::move(content.templates[k]) : std::make_unique<CTemplate>();
        m_templateNames[k] = content.templateNames[k];
    }
    if (content.hasCharset)
        m_tableFont.lfCharSet = content.tableCharset;
    m_tableCount = static_cast<int>(content.tables.size());
    for (int j = 0; j < kSlotCount; ++j) {
        m_tableSlots[j] = j < m_tableCount ? std::move(content.tables[j]) : TableSlot();
        m_tableSlots[j].RebuildColumnMap();
        m_tableNames[j] = content.tableNames[j];
    }
    m_currentTemplate = 0;
    m_currentTable = 0;
    ShowTabs(m_templateTabs, m_templateCount, m_templateNames);
    ShowTabs(m_tableTabs, m_tableCount, m_tableNames);
    ApplyTableCharset(m_tableFont.lfCharSet);
    SetModifiedFlag(FALSE);
    UpdateAllViews(nullptr, kHintDesignViews | kHintLabelPreviews | kHintTableViews);
}
