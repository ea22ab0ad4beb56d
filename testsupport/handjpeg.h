#pragma once
// JPEG files written by hand for decoder tests: baseline (or progressive, DC scan only) with every
// block flat, i.e. its DC coefficient alone, so that restart intervals, sampling factors and the
// frame type can be chosen freely and what a decoder must give is known exactly. Header-only.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

namespace handjpeg {

// A picture of flat blocks; Bytes() gives the whole file.
class HandJpeg {
public:
    int width = 40, height = 24;
    int components = 3;
    int lumaH = 2, lumaV = 2;
    int restartInterval = 0;     // MCUs; 0 writes no DRI
    bool progressive = false;    // SOF2 with a single DC scan
    // The block's mean of component c at block column bx, row by of that component's own grid.
    std::function<int(int c, int bx, int by)> mean = [](int c, int bx, int by) {
        return c == 0 ? 40 + 8 * bx + 10 * by : (c == 1 ? 100 : 160);
    };

    std::string Bytes() const
    {
        std::string out = "\xFF\xD8";
        // Quantisation: every step 8, so a DC value of d means a block mean of d + 128.
        std::string dqt(1, '\0');
        dqt.append(64, '\x08');
        Segment(out, 0xDB, dqt);
        std::string sof = {8, static_cast<char>(height >> 8), static_cast<char>(height & 255),
                           static_cast<char>(width >> 8), static_cast<char>(width & 255),
                           static_cast<char>(components)};
        for (int c = 0; c < components; ++c) {
            const int hv = c == 0 ? (lumaH << 4) | lumaV : 0x11;
            sof += {static_cast<char>(c + 1), static_cast<char>(hv), 0};
        }
        Segment(out, progressive ? 0xC2 : 0xC0, sof);
        // DC: categories 0..11 as 4-bit codes; AC: the end of block alone, code "0".
        std::string dht(1, '\x00');
        std::string counts(16, '\0');
        counts[3] = 12;
        dht += counts;
        for (int i = 0; i < 12; ++i)
            dht += static_cast<char>(i);
        if (!progressive) {
            dht += '\x10';
            std::string ac(16, '\0');
            ac[0] = 1;
            dht += ac;
            dht += '\0';
        }
        Segment(out, 0xC4, dht);
        if (restartInterval)
            Segment(out, 0xDD, {static_cast<char>(restartInterval >> 8), static_cast<char>(restartInterval & 255)});
        std::string sos(1, static_cast<char>(components));
        for (int c = 0; c < components; ++c)
            sos += {static_cast<char>(c + 1), 0};
        sos += {0, static_cast<char>(progressive ? 0 : 63), 0};
        Segment(out, 0xDA, sos);

        const int hMax = components == 3 ? lumaH : 1, vMax = components == 3 ? lumaV : 1;
        const int mcuWide = components == 3 ? (width + 8 * hMax - 1) / (8 * hMax) : (width + 7) / 8;
        const int mcuHigh = components == 3 ? (height + 8 * vMax - 1) / (8 * vMax) : (height + 7) / 8;
        int predictor[3] = {};
        int untilRestart = restartInterval, restart = 0;
        Bits bits(out);
        for (int my = 0; my < mcuHigh; ++my) {
            for (int mx = 0; mx < mcuWide; ++mx) {
                if (restartInterval) {
                    if (untilRestart == 0) {
                        bits.Flush();
                        out += {'\xFF', static_cast<char>(0xD0 + restart)};
                        restart = (restart + 1) & 7;
                        predictor[0] = predictor[1] = predictor[2] = 0;
                        untilRestart = restartInterval;
                    }
                    --untilRestart;
                }
                for (int c = 0; c < components; ++c) {
                    const int hs = components == 3 && c == 0 ? lumaH : 1;
                    const int vs = components == 3 && c == 0 ? lumaV : 1;
                    for (int y = 0; y < vs; ++y) {
                        for (int x = 0; x < hs; ++x) {
                            const int dc = mean(c, mx * hs + x, my * vs + y) - 128;
                            const int diff = dc - predictor[c];
                            predictor[c] = dc;
                            int size = 0;
                            for (int a = std::abs(diff); a; a >>= 1)
                                ++size;
                            bits.Put(size, 4);
                            if (size)
                                bits.Put(diff < 0 ? diff + (1 << size) - 1 : diff, size);
                            if (!progressive)
                                bits.Put(0, 1);
                        }
                    }
                }
            }
        }
        bits.Flush();
        out += "\xFF\xD9";
        return out;
    }

private:
    static void Segment(std::string& out, int marker, const std::string& body)
    {
        const size_t length = body.size() + 2;
        out += {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8), static_cast<char>(length & 255)};
        out += body;
    }
    struct Bits {
        explicit Bits(std::string& o) : out(o) {}
        std::string& out;
        unsigned buffer = 0;
        int count = 0;
        void Put(int value, int n)
        {
            for (int i = n - 1; i >= 0; --i) {
                buffer = (buffer << 1) | ((value >> i) & 1);
                if (++count == 8)
                    Emit();
            }
        }
        void Emit()
        {
            out += static_cast<char>(buffer);
            if (buffer == 0xFF)
                out += '\0';
            buffer = 0;
            count = 0;
        }
        void Flush()
        {
            while (count)
                Put(1, 1);
        }
    };
};

}  // namespace handjpeg
