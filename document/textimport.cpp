#include "document/textimport.h"

#include "document/datatable.h"
#include "document/filemessages.h"
#include "document/tableslot.h"
#include "framework/file.h"
#include "framework/msgbox.h"

#include <windows.h>

namespace {

const int kMaxField = CDataTableCell::kMaxTextLength;
const int kWidthCount = 26;

// Collects one field and hands it to the target, converted from the OEM code page when asked.
class FieldWriter {
public:
    FieldWriter(TextImportTarget& target, bool oem) : m_target(target), m_oem(oem) {}

    void Append(char ch)
    {
        if (m_length < kMaxField)
            m_field[m_length++] = ch;
    }
    bool IsEmpty() const { return m_length == 0; }
    int GetLength() const { return m_length; }
    void CutTrailingBlanks()
    {
        while (m_length > 1 && m_field[m_length - 1] == ' ')
            --m_length;
    }
    void Store(int row, int column)
    {
        m_field[m_length] = '\0';
        if (m_oem)
            OemToCharBuffA(m_field, m_field, static_cast<DWORD>(m_length));
        m_target.Store(row, column, m_field);
        m_length = 0;
    }

private:
    TextImportTarget& m_target;
    bool m_oem;
    char m_field[kMaxField + 1];
    int m_length = 0;
};

class SlotTarget : public TextImportTarget {
public:
    explicit SlotTarget(TableSlot& slot) : m_slot(slot) {}
    int GetRowCount() const override
    {
        const int rows = m_slot.GetRowCount();
        return rows < 0 ? 0 : rows;
    }
    void Store(int row, int column, const char* text) override
    {
        m_slot.SetCellText(text, row, column);
    }

private:
    TableSlot& m_slot;
};

class TableTarget : public TextImportTarget {
public:
    explicit TableTarget(CDataTableBase& table) : m_table(table) {}
    int GetRowCount() const override { return m_table.GetRowCount(); }
    void Store(int row, int column, const char* text) override
    {
        m_table.SetCellText(row, column, text);
    }

private:
    CDataTableBase& m_table;
};

// Lines end in CR (DOS and old Macs), CR LF (DOS) or LF alone (other systems): each ends one
// row. At a CR followed by LF the position moves onto the LF, so the pair counts once.
bool EndsRow(const std::string& data, size_t& i)
{
    if (data[i] == '\n')
        return true;
    if (data[i] != '\r')
        return false;
    if (i + 1 < data.size() && data[i + 1] == '\n')
        ++i;
    return true;
}

template <class Parse>
bool ImportFile(const char* path, TextImportTarget& target, Parse parse)
{
    std::string data;
    if (!ReadWholeFile(path, data)) {
        ReportCannotOpenFile(path);
        return false;
    }
    parse(data, target);
    return true;
}

} // namespace

void ParseDelimitedText(const std::string& data, char separator, bool oem,
                        TextImportTarget& target)
{
    FieldWriter field(target, oem);
    int row = target.GetRowCount();
    int column = 0;
    bool quoted = false;
    const size_t size = data.size();
    for (size_t i = 0; i < size; ++i) {
        unsigned char ch = static_cast<unsigned char>(data[i]);
        if (ch == '"' && !quoted && field.IsEmpty()) {
            // Quotes open only where a field starts; a quote inside a field (12" pipe) is text.
            quoted = true;
            continue;
        }
        if (ch == '"' && quoted) {
            // Inside quotes: a doubled quote is one quote; anything else closes them and is
            // then taken as it is.
            if (i + 1 >= size) {
                quoted = false;
                break;
            }
            ch = static_cast<unsigned char>(data[++i]);
            if (ch == '"') {
                field.Append('"');
                continue;
            }
            quoted = false;
        }
        if (!quoted && ch == static_cast<unsigned char>(separator)) {
            if (!field.IsEmpty())
                field.Store(row, column++);
            continue;
        }
        if (EndsRow(data, i)) {
            if (!field.IsEmpty())
                field.Store(row, column);
            ++row;
            column = 0;
            // A cell never spans lines: a quote left open ends with its line.
            quoted = false;
        } else if (ch == 0x1A) {
            break;
        } else if (ch >= 0x20) {
            field.Append(static_cast<char>(ch));
        }
    }
    if (!field.IsEmpty())
        field.Store(row, column);
}

void ParseFixedWidthText(const std::string& data, const int widths[26], bool oem,
                         TextImportTarget& target)
{
    FieldWriter field(target, oem);
    int row = target.GetRowCount();
    int column = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(data[i]);
        if (EndsRow(data, i)) {
            if (!field.IsEmpty()) {
                field.CutTrailingBlanks();
                field.Store(row, column);
            }
            ++row;
            column = 0;
        } else if (ch == 0x1A) {
            break;
        } else if (ch >= 0x20) {
            field.Append(static_cast<char>(ch));
            const unsigned width =
                column < kWidthCount ? static_cast<unsigned>(widths[column]) : ~0u;
            if (static_cast<unsigned>(field.GetLength()) == width) {
                field.CutTrailingBlanks();
                field.Store(row, column++);
            }
        }
    }
    if (!field.IsEmpty()) {
        field.CutTrailingBlanks();
        field.Store(row, column);
    }
}

bool ReadWholeFile(const char* path, std::string& data)
{
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length > 0x7FFFFFFF)
        return false;
    std::string content(static_cast<size_t>(length), '\0');
    if (length > 0 && file.Read(&content[0], static_cast<UINT>(length)) != length)
        return false;
    data.swap(content);
    return true;
}

bool ImportDelimitedText(TableSlot& slot, const char* path, char separator, bool oem)
{
    SlotTarget target(slot);
    return ImportFile(path, target, [&](const std::string& data, TextImportTarget& t) {
        ParseDelimitedText(data, separator, oem, t);
    });
}

bool ImportFixedWidthText(TableSlot& slot, const char* path, const int widths[26], bool oem)
{
    SlotTarget target(slot);
    return ImportFile(path, target, [&](const std::string& data, TextImportTarget& t) {
        ParseFixedWidthText(data, widths, oem, t);
    });
}

bool ImportDelimitedText(CDataTableBase& table, const char* path, char separator, bool oem)
{
    TableTarget target(table);
    return ImportFile(path, target, [&](const std::string& data, TextImportTarget& t) {
        ParseDelimitedText(data, separator, oem, t);
    });
}

bool ImportFixedWidthText(CDataTableBase& table, const char* path, const int widths[26], bool oem)
{
    TableTarget target(table);
    return ImportFile(path, target, [&](const std::string& data, TextImportTarget& t) {
        ParseFixedWidthText(data, widths, oem, t);
    });
}
