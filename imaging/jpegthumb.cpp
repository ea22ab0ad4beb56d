#include "imaging/jpegthumb.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace jpegthumb {

namespace {

// The largest picture read this way: beyond it the DC grids alone would take tens of megabytes.
const uint64_t kMaxPixels = 100u * 1000u * 1000u;
// A file larger than this is left to the full decoder rather than read into memory at once.
const DWORD kMaxFileSize = 256u * 1024u * 1024u;

// A Huffman table: canonical codes, with the codes of up to kFastBits bits found by one look-up.
const int kFastBits = 10;

struct Huffman {
    bool defined = false;
    uint8_t fastLength[1 << kFastBits];   // 0: the code is longer
    uint8_t fastValue[1 << kFastBits];
    // An AC coefficient whose code and value bits fit kFastBits, skipped at once: the bits to drop
    // in the low byte, the coefficients it moves over (its zero run and itself) above; 0: not so.
    uint16_t fastSkip[1 << kFastBits];
    int32_t minCode[17];
    int32_t maxCode[17];                 // -1 when no code has that length
    int32_t valueIndex[17];
    int total = 0;
    uint8_t values[256];
};

bool BuildHuffman(const uint8_t* counts, const uint8_t* symbols, int total, Huffman& h)
{
    std::memset(h.fastLength, 0, sizeof h.fastLength);
    std::memset(h.fastSkip, 0, sizeof h.fastSkip);
    std::memcpy(h.values, symbols, static_cast<size_t>(total));
    h.total = total;
    int32_t code = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        const int n = counts[length - 1];
        // More codes of this length than it has room for: the table is damaged (and would write
        // past the look-up table below).
        if (code + n > (1 << length))
            return false;
        h.minCode[length] = code;
        h.valueIndex[length] = k;
        h.maxCode[length] = n ? code + n - 1 : -1;
        if (length <= kFastBits) {
            for (int i = 0; i < n; ++i) {
                const int shift = kFastBits - length;
                const int first = (code + i) << shift;
                const int symbol = symbols[k + i];
                const int run = symbol >> 4, size = symbol & 15;
                for (int j = 0; j < (1 << shift); ++j) {
                    h.fastLength[first + j] = static_cast<uint8_t>(length);
                    h.fastValue[first + j] = static_cast<uint8_t>(symbol);
                    if (size && length + size <= kFastBits)
                        h.fastSkip[first + j] = static_cast<uint16_t>(((run + 1) << 8) | (length + size));
                }
            }
        }
        code += n;
        k += n;
        code <<= 1;
    }
    h.defined = true;
    return true;
}

// The entropy-coded bits of a scan: stuffed zero bytes removed; at a marker or the end of the data
// it feeds zero bits and counts them, so that a decoder reading into them is known to have overrun.
struct BitReader {
    const uint8_t* p = nullptr;
    const uint8_t* end = nullptr;
    uint64_t bits = 0;     // the next bits at the top
    int count = 0;         // bits held
    int padding = 0;       // of them, zero bits made up past the data (always the last held)
    bool atMarker = false;

    void Fill()
    {
        while (count <= 56) {
            unsigned byte = 0;
            if (atMarker || p >= end) {
                atMarker = true;
                padding += 8;
            } else if (p[0] != 0xFF) {
                byte = *p++;
            } else if (p + 1 < end && p[1] == 0x00) {
                byte = 0xFF;
                p += 2;
            } else if (p + 1 < end && p[1] == 0xFF) {
                ++p;       // fill byte before a marker
                continue;
            } else {
                atMarker = true;    // p stays on the marker
                padding += 8;
            }
            bits |= static_cast<uint64_t>(byte) << (56 - count);
            count += 8;
        }
    }
    unsigned Take(int n)   // 1..16
    {
        if (count < 16)
            Fill();
        const unsigned v = static_cast<unsigned>(bits >> (64 - n));
        bits <<= n;
        count -= n;
        return v;
    }
    void Skip(int n)
    {
        if (count < 16)
            Fill();
        bits <<= n;
        count -= n;
    }
    bool Overrun() const { return count < padding; }
    void Reset()
    {
        bits = 0;
        count = 0;
        padding = 0;
        atMarker = false;
    }
};

// The next symbol, or -1 for a code the table does not have.
inline int DecodeSymbol(BitReader& in, const Huffman& h)
{
    if (in.count < 16)
        in.Fill();
    const unsigned look = static_cast<unsigned>(in.bits >> (64 - kFastBits));
    const int fast = h.fastLength[look];
    if (fast) {
        in.bits <<= fast;
        in.count -= fast;
        return h.fastValue[look];
    }
    const unsigned code16 = static_cast<unsigned>(in.bits >> 48);
    for (int length = kFastBits + 1; length <= 16; ++length) {
        const int32_t code = static_cast<int32_t>(code16 >> (16 - length));
        if (code <= h.maxCode[length] && code >= h.minCode[length]) {
            const int index = h.valueIndex[length] + (code - h.minCode[length]);
            if (index >= h.total)
                return -1;
            in.bits <<= length;
            in.count -= length;
            return h.values[index];
        }
    }
    return -1;
}

inline int Extend(unsigned v, int t)
{
    return v < (1u << (t - 1)) ? static_cast<int>(v) - (1 << t) + 1 : static_cast<int>(v);
}

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quant = 0;
    int dcTable = 0, acTable = 0;
    int blocksWide = 0, blocksHigh = 0;   // of its DC grid
    std::vector<int16_t> dc;            // quantised DC values, row by row
};

uint16_t Read16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint8_t ClampByte(double v)
{
    if (v <= 0.0)
        return 0;
    if (v >= 255.0)
        return 255;
    return static_cast<uint8_t>(v + 0.5);
}

class Decoder {
public:
    bool Run(const uint8_t* data, size_t size, EighthPicture& out);

private:
    bool ReadFrame(const uint8_t* p, size_t length, bool extended);
    bool ReadHuffman(const uint8_t* p, size_t length);
    bool ReadQuant(const uint8_t* p, size_t length);
    bool ReadScan(const uint8_t* p, size_t length, const uint8_t* entropy, const uint8_t* end);
    bool DecodeBlock(BitReader& in, Component& c, int& predictor, int16_t& dc);
    void Convert(EighthPicture& out) const;

    Huffman m_dc[4];
    Huffman m_ac[4];
    int m_quant0[4] = {};
    bool m_quantDefined[4] = {};
    Component m_components[3];
    int m_componentCount = 0;
    int m_width = 0, m_height = 0;
    int m_hMax = 1, m_vMax = 1;
    int m_restartInterval = 0;
    bool m_frame = false;
    bool m_rgbTransform = false;   // an Adobe marker saying the colour is not YCbCr
};

bool Decoder::ReadFrame(const uint8_t* p, size_t length, bool extended)
{
    (void)extended;
    if (m_frame || length < 6 || p[0] != 8)
        return false;
    m_height = Read16(p + 1);
    m_width = Read16(p + 3);
    m_componentCount = p[5];
    // A height of zero would come later in a DNL marker: not read here.
    if (m_width == 0 || m_height == 0 || (m_componentCount != 1 && m_componentCount != 3))
        return false;
    if (static_cast<uint64_t>(m_width) * static_cast<uint64_t>(m_height) > kMaxPixels)
        return false;
    if (length != 6 + 3 * static_cast<size_t>(m_componentCount))
        return false;
    m_hMax = m_vMax = 1;
    for (int i = 0; i < m_componentCount; ++i) {
        Component& c = m_components[i];
        c.id = p[6 + 3 * i];
        c.h = p[7 + 3 * i] >> 4;
        c.v = p[7 + 3 * i] & 15;
        c.quant = p[8 + 3 * i];
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quant > 3)
            return false;
        for (int j = 0; j < i; ++j) {
            if (m_components[j].id == c.id)
                return false;
        }
        m_hMax = std::max(m_hMax, c.h);
        m_vMax = std::max(m_vMax, c.v);
    }
    if (m_componentCount == 1) {
        // One component is never interleaved: its blocks follow one another whatever it samples.
        m_components[0].h = m_components[0].v = 1;
        m_hMax = m_vMax = 1;
    } else {
        int units = 0;
        for (int i = 0; i < m_componentCount; ++i) {
            const Component& c = m_components[i];
            // Sampling factors that do not divide the largest would need fractional chroma blocks.
            if (m_hMax % c.h != 0 || m_vMax % c.v != 0)
                return false;
            units += c.h * c.v;
        }
        if (units > 10)
            return false;
        // Components named R, G, B hold no YCbCr.
        if (m_components[0].id == 'R' && m_components[1].id == 'G' && m_components[2].id == 'B')
            return false;
    }
    const int mcuWide = (m_width + 8 * m_hMax - 1) / (8 * m_hMax);
    const int mcuHigh = (m_height + 8 * m_vMax - 1) / (8 * m_vMax);
    for (int i = 0; i < m_componentCount; ++i) {
        Component& c = m_components[i];
        if (m_componentCount == 1) {
            c.blocksWide = (m_width + 7) / 8;
            c.blocksHigh = (m_height + 7) / 8;
        } else {
            c.blocksWide = mcuWide * c.h;
            c.blocksHigh = mcuHigh * c.v;
        }
    }
    m_frame = true;
    return true;
}

bool Decoder::ReadHuffman(const uint8_t* p, size_t length)
{
    while (length > 0) {
        if (length < 17)
            return false;
        const int tableClass = p[0] >> 4, id = p[0] & 15;
        if (tableClass > 1 || id > 3)
            return false;
        int total = 0;
        for (int i = 0; i < 16; ++i)
            total += p[1 + i];
        if (total > 256 || length < 17 + static_cast<size_t>(total))
            return false;
        Huffman& h = tableClass == 0 ? m_dc[id] : m_ac[id];
        if (!BuildHuffman(p + 1, p + 17, total, h))
            return false;
        p += 17 + total;
        length -= 17 + static_cast<size_t>(total);
    }
    return true;
}

bool Decoder::ReadQuant(const uint8_t* p, size_t length)
{
    while (length > 0) {
        const int precision = p[0] >> 4, id = p[0] & 15;
        if (precision > 1 || id > 3)
            return false;
        const size_t tableSize = 1 + (precision ? 128 : 64);
        if (length < tableSize)
            return false;
        // Only the first entry, the DC step, matters here.
        m_quant0[id] = precision ? Read16(p + 1) : p[1];
        m_quantDefined[id] = true;
        p += tableSize;
        length -= tableSize;
    }
    return true;
}

inline bool Decoder::DecodeBlock(BitReader& in, Component& c, int& predictor, int16_t& dc)
{
    const int t = DecodeSymbol(in, m_dc[c.dcTable]);
    if (t < 0 || t > 11)
        return false;
    if (t)
        predictor += Extend(in.Take(t), t);
    // A valid 8-bit picture keeps the DC within +-2047; a damaged one must not overflow it.
    predictor = std::max(-32768, std::min(32767, predictor));
    dc = static_cast<int16_t>(predictor);
    const Huffman& ac = m_ac[c.acTable];
    for (int k = 1; k < 64;) {
        if (in.count < 16)
            in.Fill();
        const unsigned skip = ac.fastSkip[static_cast<unsigned>(in.bits >> (64 - kFastBits))];
        if (skip) {
            k += static_cast<int>(skip >> 8);
            if (k > 64)
                return false;
            in.bits <<= (skip & 255);
            in.count -= static_cast<int>(skip & 255);
            continue;
        }
        const int rs = DecodeSymbol(in, ac);
        if (rs < 0)
            return false;
        const int run = rs >> 4, s = rs & 15;
        if (s) {
            k += run;
            if (k > 63)
                return false;
            in.Skip(s);
            ++k;
        } else if (run == 15) {
            k += 16;
            if (k > 64)
                return false;
        } else {
            break;
        }
    }
    return true;
}

bool Decoder::ReadScan(const uint8_t* p, size_t length, const uint8_t* entropy, const uint8_t* end)
{
    if (!m_frame || length < 1)
        return false;
    const int n = p[0];
    // The whole picture in one scan: one component, or all three interleaved.
    if (n != m_componentCount || length != 4 + 2 * static_cast<size_t>(n))
        return false;
    Component* order[3] = {};
    for (int i = 0; i < n; ++i) {
        const int id = p[1 + 2 * i];
        Component* found = nullptr;
        for (int j = 0; j < m_componentCount; ++j) {
            if (m_components[j].id == id)
                found = &m_components[j];
        }
        if (!found)
            return false;
        for (int j = 0; j < i; ++j) {
            if (order[j] == found)
                return false;
        }
        found->dcTable = p[2 + 2 * i] >> 4;
        found->acTable = p[2 + 2 * i] & 15;
        if (found->dcTable > 3 || found->acTable > 3 || !m_dc[found->dcTable].defined ||
            !m_ac[found->acTable].defined || !m_quantDefined[found->quant])
            return false;
        order[i] = found;
    }
    const uint8_t* s = p + 1 + 2 * n;
    if (s[0] != 0 || s[1] != 63 || s[2] != 0)
        return false;

    // Every block takes at least two bits (a DC and an end-of-block code): a picture claiming far
    // more blocks than its data holds is refused before its grids are made.
    uint64_t blocks = 0;
    for (int i = 0; i < n; ++i)
        blocks += static_cast<uint64_t>(order[i]->blocksWide) * static_cast<uint64_t>(order[i]->blocksHigh);
    if (blocks / 4 > static_cast<uint64_t>(end - entropy) + 1)
        return false;
    for (int i = 0; i < n; ++i)
        order[i]->dc.assign(static_cast<size_t>(order[i]->blocksWide) * order[i]->blocksHigh, 0);

    BitReader in;
    in.p = entropy;
    in.end = end;
    int predictor[3] = {};
    const bool single = n == 1;
    const int mcuWide = single ? order[0]->blocksWide : order[0]->blocksWide / order[0]->h;
    const int mcuHigh = single ? order[0]->blocksHigh : order[0]->blocksHigh / order[0]->v;
    int untilRestart = m_restartInterval;
    int nextRestart = 0;
    for (int my = 0; my < mcuHigh; ++my) {
        for (int mx = 0; mx < mcuWide; ++mx) {
            if (m_restartInterval) {
                if (untilRestart == 0) {
                    // Whatever bits remain before the marker are its byte's padding.
                    if (!in.atMarker) {
                        while (in.p + 1 < in.end && !(in.p[0] == 0xFF && in.p[1] != 0x00 && in.p[1] != 0xFF))
                            ++in.p;
                    }
                    if (in.p + 1 >= in.end || in.p[0] != 0xFF || in.p[1] != 0xD0 + nextRestart)
                        return false;
                    in.p += 2;
                    in.Reset();
                    nextRestart = (nextRestart + 1) & 7;
                    predictor[0] = predictor[1] = predictor[2] = 0;
                    untilRestart = m_restartInterval;
                }
                --untilRestart;
            }
            for (int i = 0; i < n; ++i) {
                Component& c = *order[i];
                const int hs = single ? 1 : c.h, vs = single ? 1 : c.v;
                for (int by = 0; by < vs; ++by) {
                    for (int bx = 0; bx < hs; ++bx) {
                        const size_t at = static_cast<size_t>(my * vs + by) * c.blocksWide + mx * hs + bx;
                        if (!DecodeBlock(in, c, predictor[i], c.dc[at]))
                            return false;
                    }
                }
            }
            if (in.Overrun())
                return false;
        }
    }
    return true;
}

// Where output pixel i (of n) falls on a component grid of `used` blocks, each covering `factor`
// output pixels: between blocks first and first + 1, `weight` of the way. Chroma shared by 2 x 2
// blocks is thus interpolated between block centres rather than repeated in squares.
struct Tap {
    int first, second;
    double weight;
};

std::vector<Tap> Taps(int n, int factor, int used)
{
    std::vector<Tap> taps(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double u = (i + 0.5) / factor - 0.5;
        u = std::max(0.0, std::min(static_cast<double>(used - 1), u));
        const int first = static_cast<int>(u);
        taps[i].first = first;
        taps[i].second = std::min(used - 1, first + 1);
        taps[i].weight = u - first;
    }
    return taps;
}

void Decoder::Convert(EighthPicture& out) const
{
    out.fullWidth = m_width;
    out.fullHeight = m_height;
    out.width = (m_width + 7) / 8;
    out.height = (m_height + 7) / 8;
    out.rgb.assign(static_cast<size_t>(out.width) * out.height * 3, 0);
    std::vector<double> planes[3];
    for (int i = 0; i < m_componentCount; ++i) {
        const Component& c = m_components[i];
        const double scale = m_quant0[c.quant] / 8.0;
        const int fh = m_hMax / c.h, fv = m_vMax / c.v;
        // The blocks holding picture (the rest of the last MCUs only repeat its edge).
        const int usedWide = std::min(c.blocksWide, ((m_width * c.h + m_hMax - 1) / m_hMax + 7) / 8);
        const int usedHigh = std::min(c.blocksHigh, ((m_height * c.v + m_vMax - 1) / m_vMax + 7) / 8);
        const std::vector<Tap> across = Taps(out.width, fh, usedWide);
        const std::vector<Tap> down = Taps(out.height, fv, usedHigh);
        std::vector<double>& plane = planes[i];
        plane.resize(static_cast<size_t>(out.width) * out.height);
        for (int y = 0; y < out.height; ++y) {
            const int16_t* r0 = &c.dc[static_cast<size_t>(down[y].first) * c.blocksWide];
            const int16_t* r1 = &c.dc[static_cast<size_t>(down[y].second) * c.blocksWide];
            const double wy = down[y].weight;
            for (int x = 0; x < out.width; ++x) {
                const Tap& t = across[x];
                const double top = r0[t.first] + (r0[t.second] - r0[t.first]) * t.weight;
                const double bottom = r1[t.first] + (r1[t.second] - r1[t.first]) * t.weight;
                plane[static_cast<size_t>(y) * out.width + x] = (top + (bottom - top) * wy) * scale + 128.0;
            }
        }
    }
    uint8_t* o = out.rgb.data();
    const size_t count = static_cast<size_t>(out.width) * out.height;
    for (size_t k = 0; k < count; ++k, o += 3) {
        const double luma = planes[0][k];
        if (m_componentCount == 1) {
            o[0] = o[1] = o[2] = ClampByte(luma);
        } else {
            const double cb = planes[1][k] - 128.0, cr = planes[2][k] - 128.0;
            o[0] = ClampByte(luma + 1.402 * cr);
            o[1] = ClampByte(luma - 0.344136 * cb - 0.714136 * cr);
            o[2] = ClampByte(luma + 1.772 * cb);
        }
    }
}

bool Decoder::Run(const uint8_t* data, size_t size, EighthPicture& out)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    const uint8_t* p = data + 2;
    const uint8_t* end = data + size;
    for (;;) {
        // Markers may be preceded by any number of fill bytes.
        if (p >= end || *p != 0xFF)
            return false;
        while (p < end && *p == 0xFF)
            ++p;
        if (p >= end)
            return false;
        const uint8_t marker = *p++;
        if (marker == 0xD8 || marker == 0xD9 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            return false;   // a second start, the end before any scan, or a stray restart
        if (end - p < 2)
            return false;
        const size_t length = Read16(p);
        if (length < 2 || static_cast<size_t>(end - p) < length)
            return false;
        const uint8_t* body = p + 2;
        const size_t bodyLength = length - 2;
        p += length;
        switch (marker) {
        case 0xC0:
        case 0xC1:
            if (!ReadFrame(body, bodyLength, marker == 0xC1))
                return false;
            break;
        case 0xC4:
            if (!ReadHuffman(body, bodyLength))
                return false;
            break;
        case 0xDB:
            if (!ReadQuant(body, bodyLength))
                return false;
            break;
        case 0xDD:
            if (bodyLength != 2)
                return false;
            m_restartInterval = Read16(body);
            break;
        case 0xEE:
            // Adobe: transform 0 with three components is RGB.
            if (bodyLength >= 12 && std::memcmp(body, "Adobe", 5) == 0 && body[11] == 0)
                m_rgbTransform = true;
            break;
        case 0xDA:
            if (m_rgbTransform && m_componentCount == 3)
                return false;
            if (!ReadScan(body, bodyLength, p, end))
                return false;
            Convert(out);
            return true;
        default:
            // Every other frame type (progressive, lossless, hierarchical, arithmetic) and the
            // arithmetic conditioning and DNL markers: not read here.
            if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDC)
                return false;
            break;   // application data, comments
        }
    }
}

}  // namespace

bool DecodeEighth(const uint8_t* data, size_t size, EighthPicture& out)
{
    out = EighthPicture();
    if (data == nullptr)
        return false;
    // The decoder's tables are some kilobytes: on the heap, not on a worker thread's stack.
    // A picture too large for the memory left is only a thumbnail not made here.
    try {
        std::unique_ptr<Decoder> decoder(new Decoder());
        EighthPicture result;
        if (!decoder->Run(data, size, result))
            return false;
        out = std::move(result);
        return true;
    } catch (const std::bad_alloc&) {
        out = EighthPicture();
        return false;
    }
}

void FitInCell(int width, int height, int cell, int& w, int& h)
{
    w = h = cell;
    if (width <= 0 || height <= 0)
        return;
    if (width >= height)
        h = std::max(1, static_cast<int>(static_cast<double>(cell) * height / width + 0.5));
    else
        w = std::max(1, static_cast<int>(static_cast<double>(cell) * width / height + 0.5));
}

void ShrinkToBgr32(const EighthPicture& eighth, int w, int h, std::vector<uint8_t>& bgrx)
{
    bgrx.assign(static_cast<size_t>(std::max(0, w)) * std::max(0, h) * 4, 0);
    if (eighth.width <= 0 || eighth.height <= 0 || w <= 0 || h <= 0)
        return;
    const int sw = eighth.width, sh = eighth.height;
    uint8_t* o = bgrx.data();
    for (int y = 0; y < h; ++y) {
        const int y0 = static_cast<int>(static_cast<int64_t>(y) * sh / h);
        const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<int64_t>(y + 1) * sh / h));
        for (int x = 0; x < w; ++x, o += 4) {
            const int x0 = static_cast<int>(static_cast<int64_t>(x) * sw / w);
            const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<int64_t>(x + 1) * sw / w));
            unsigned sum[3] = {};
            for (int yy = y0; yy < y1; ++yy) {
                const uint8_t* s = &eighth.rgb[(static_cast<size_t>(yy) * sw + x0) * 3];
                for (int xx = x0; xx < x1; ++xx, s += 3) {
                    sum[0] += s[0];
                    sum[1] += s[1];
                    sum[2] += s[2];
                }
            }
            const unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            o[0] = static_cast<uint8_t>((sum[2] + n / 2) / n);
            o[1] = static_cast<uint8_t>((sum[1] + n / 2) / n);
            o[2] = static_cast<uint8_t>((sum[0] + n / 2) / n);
            o[3] = 0;
        }
    }
}

bool LoadJpegThumbnail(const char* path, int cell, std::vector<uint8_t>& bgrx, int& w, int& h)
{
    bgrx.clear();
    w = h = 0;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::unique_ptr<uint8_t[]> data;
    const DWORD size = ::GetFileSize(file, nullptr);
    uint8_t start[2] = {};
    DWORD read = 0;
    // One small read first: a PNG or BMP is not read whole only to be refused.
    bool ok = size != INVALID_FILE_SIZE && size >= 4 && size <= kMaxFileSize &&
              ::ReadFile(file, start, 2, &read, nullptr) && read == 2 && start[0] == 0xFF && start[1] == 0xD8;
    if (ok) {
        data.reset(new (std::nothrow) uint8_t[size]);
        ok = data != nullptr;
        if (ok) {
            data[0] = start[0];
            data[1] = start[1];
            ok = ::ReadFile(file, data.get() + 2, size - 2, &read, nullptr) && read == size - 2;
        }
    }
    ::CloseHandle(file);
    EighthPicture eighth;
    if (!ok || !DecodeEighth(data.get(), size, eighth))
        return false;
    int fw = 0, fh = 0;
    FitInCell(eighth.fullWidth, eighth.fullHeight, cell, fw, fh);
    if (eighth.width < fw || eighth.height < fh)
        return false;
    try {
        ShrinkToBgr32(eighth, fw, fh, bgrx);
    } catch (const std::bad_alloc&) {
        bgrx.clear();
        return false;
    }
    w = fw;
    h = fh;
    return true;
}

}  // namespace jpegthumb
