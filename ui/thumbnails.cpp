#include "ui/thumbnails.h"

#include "framework/gdi.h"

#include "imaging/imaging.h"
#include "imaging/jpegthumb.h"

#include <algorithm>

void DrawThumbnailPixels(HDC dc, const ThumbnailPixels& pixels, int cell)
{
    const int w = pixels.w, h = pixels.h;
    if (w <= 0 || h <= 0 || pixels.bits.size() < static_cast<size_t>(w) * h * 4)
        return;
    BITMAPINFO info = TopDownArgbInfo(w, h);
    ::SetDIBitsToDevice(dc, (cell - w) / 2, (cell - h) / 2, w, h, 0, 0, 0, h, pixels.bits.data(), &info,
                        DIB_RGB_COLORS);
}

// A pixel picture shrunk into the 48 x 48 square at (0, 0) of dc, centred with its aspect kept. A
// baseline JPEG is read from its DC coefficients alone (an eighth of its size, no transforms); any
// other picture is shrunk by the decoder itself: a full-size decode of a camera picture and its
// stretch to 48 pixels take a third of a second each, which a page of eighty thumbnails can not
// afford. false when neither can read the file (the holder then draws it).
bool DrawScaledBitmapFile(HDC dc, const char* path, int cell, bool tryReduced)
{
    ThumbnailPixels pixels;
    if (!(tryReduced && jpegthumb::LoadJpegThumbnail(path, cell, pixels.bits, pixels.w, pixels.h)) &&
        !LoadPictureForCell(path, cell, pixels.bits, pixels.w, pixels.h))
        return false;
    DrawThumbnailPixels(dc, pixels, cell);
    return true;
}

namespace {

// One page of reduced JPEG decodes shared out among threads: each takes the next path until none
// is left, and writes only its own result.
struct PrepareJob {
    const std::vector<std::string>* paths = nullptr;
    std::vector<ThumbnailPixels> results;
    int cell = 0;
    volatile LONG next = 0;

    void Work()
    {
        for (;;) {
            const LONG k = ::InterlockedIncrement(&next) - 1;
            if (k >= static_cast<LONG>(results.size()))
                return;
            ThumbnailPixels& r = results[k];
            if (!jpegthumb::LoadJpegThumbnail((*paths)[k].c_str(), cell, r.bits, r.w, r.h))
                r = ThumbnailPixels();
            r.tried = true;
        }
    }
};

DWORD WINAPI PrepareWorker(void* job)
{
    // The reader answers false rather than throwing; nothing may leave a thread's procedure.
    try {
        static_cast<PrepareJob*>(job)->Work();
    } catch (...) {
    }
    return 0;
}

}  // namespace

std::vector<ThumbnailPixels> ReadJpegThumbnails(const std::vector<std::string>& paths, int cell, int threads)
{
    PrepareJob job;
    job.paths = &paths;
    job.results.resize(paths.size());
    job.cell = cell;
    std::vector<HANDLE> workers;
    const int count = std::min<int>(threads, static_cast<int>(paths.size()));
    for (int t = 1; t < count; ++t) {
        HANDLE worker = ::CreateThread(nullptr, 0, PrepareWorker, &job, 0, nullptr);
        if (worker)
            workers.push_back(worker);
    }
    PrepareWorker(&job);
    if (!workers.empty())
        ::WaitForMultipleObjects(static_cast<DWORD>(workers.size()), workers.data(), TRUE, INFINITE);
    for (HANDLE worker : workers)
        ::CloseHandle(worker);
    return std::move(job.results);
}
