#include "document/projectarchive.h"

#include "framework/recordio.h"

namespace projectarchive {

void WriteString(RecordWriter& out, const CString& text)
{
    // The reader refuses longer names as damage: a longer one keeps its first characters, so a
    // list this writes can always be read back.
    unsigned length = static_cast<unsigned>(text.GetLength());
    if (length > kMaxStringLength)
        length = kMaxStringLength;
    if (length < 0xFF) {
        out.U8(static_cast<uint8_t>(length));
    } else if (length < 0xFFFE) {
        out.U8(0xFF);
        out.U16(static_cast<uint16_t>(length));
    } else {
        out.U8(0xFF);
        out.U16(0xFFFF);
        out.U32(length);
    }
    out.Raw(text.GetString(), length);
}

void WriteStringList(RecordWriter& out, const CString* strings, unsigned count)
{
    if (count < 0xFFFF) {
        out.U16(static_cast<uint16_t>(count));
    } else {
        out.U16(0xFFFF);
        out.U32(count);
    }
    for (unsigned i = 0; i < count; ++i)
        WriteString(out, strings[i]);
}

bool ReadString(RecordReader& in, CString& text)
{
    uint8_t shortLength = 0;
    if (!in.U8(shortLength))
        return false;
    uint32_t length = shortLength;
    if (shortLength == 0xFF) {
        uint16_t wordLength = 0;
        if (!in.U16(wordLength))
            return false;
        length = wordLength;
        if (wordLength == 0xFFFE) {
            in.Fail();
            return false;
        }
        if (wordLength == 0xFFFF && !in.U32(length))
            return false;
    }
    if (length > kMaxStringLength) {
        in.Fail();
        return false;
    }
    char buffer[kMaxStringLength];
    if (!in.Raw(buffer, length))
        return false;
    text = CString(buffer, static_cast<int>(length));
    return true;
}

bool ReadStringList(RecordReader& in, std::vector<CString>& out, unsigned maxCount)
{
    uint16_t shortCount = 0;
    if (!in.U16(shortCount))
        return false;
    uint32_t count = shortCount;
    if (shortCount == 0xFFFF && !in.U32(count))
        return false;
    if (count > maxCount) {
        in.Fail();
        return false;
    }
    std::vector<CString> strings(maxCount);
    for (uint32_t i = 0; i < count; ++i) {
        if (!ReadString(in, strings[i]))
            return false;
    }
    out.swap(strings);
    return true;
}

} // namespace projectarchive
