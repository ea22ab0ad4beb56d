#pragma once
// CodecLoadFixture: tests that load pictures through the system's codecs while an AllocationProbe
// watches the allocators. COM is initialised and the codec DLL stays loaded for the test's life,
// so that its own requests are watched too; pictures are written into a temporary folder.
#include "testsupport/allocationprobe.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <objbase.h>

class CodecLoadFixture : public ::testing::Test {
protected:
    // Far below the 200 MB and more that a claimed oversize picture would take, and above what a
    // decoder needs to read headers and small test pictures.
    static constexpr uint64_t kLargeRequest = 16u * 1024u * 1024u;

    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_codecs = LoadLibraryA(kCodecModules[0]);
    }
    void TearDown() override
    {
        if (m_codecs)
            FreeLibrary(m_codecs);
        CoUninitialize();
    }

    static constexpr const char* kCodecModules[] = {"windowscodecs.dll"};
    HMODULE m_codecs = nullptr;
    TempDir m_dir;
};
