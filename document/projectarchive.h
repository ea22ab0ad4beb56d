#pragma once
// The string lists of a project in the framework archive's byte form: the element count (u16, or
// 0xFFFF and a u32), then each string as a u8 length (0xFF escapes to a u16, and 0xFFFF to a u32)
// followed by its bytes. Other archives read these lists, so the bytes are fixed.
#include "framework/cstring.h"

#include <vector>

class RecordReader;
class RecordWriter;

namespace projectarchive {

// Longest name a list may carry; longer stored lengths are damage, not names.
const unsigned kMaxStringLength = 4096;

// A text longer than kMaxStringLength is written as its first kMaxStringLength characters.
void WriteString(RecordWriter& out, const CString& text);
void WriteStringList(RecordWriter& out, const CString* strings, unsigned count);

// False on a short read, a length above kMaxStringLength or the escape that announces a wide
// string (0xFF, 0xFFFE): this program never wrote one.
bool ReadString(RecordReader& in, CString& text);
// Reads a list of at most maxCount strings into out (resized to maxCount, missing entries empty).
// False when the list is damaged or longer than maxCount; out is then unchanged.
bool ReadStringList(RecordReader& in, std::vector<CString>& out, unsigned maxCount);

} // namespace projectarchive
