// LoadWave reads the data chunk through buffered multimedia file I/O, copies it into
// a locked DirectSound buffer and frees its block. Against it: the same work written
// directly with the platform's calls (its own chunk search, no size checked), and
// ReadFile into memory, the floor.
#include "MediaLib.h"
#include "RiffBuilder.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD DATA_BYTES = 10 * 1024 * 1024;
const int RUNS = 9;

bool WriteWave(const std::string& path)
{
    return WriteBytes(path, RiffBuilder()
                                .Chunk("fmt ", Format(WAVE_FORMAT_PCM, 1, 11025, 8))
                                .Chunk("data", Samples(DATA_BYTES))
                                .Bytes());
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

template <class Work>
double Time(Work work)
{
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    bool bDone = work();
    QueryPerformanceCounter(&end);
    if (!bDone) {
        std::fprintf(stderr, "a timed run failed\n");
        std::exit(1);
    }
    return Seconds(start, end);
}

// The buffer is released outside the time taken.
double TimeLoad(const std::string& path)
{
    int nSlot = NO_SLOT;
    double dSeconds = Time([&] {
        nSlot = g_media.LoadWave(path.c_str(), 0);
        return nSlot != NO_SLOT;
    });
    g_media.ReleaseWave(nSlot);
    return dSeconds;
}

// A static 8-bit mono buffer at 11025 Hz, made and filled as the library makes its own.
bool FillNewBuffer(const BYTE* pData, DWORD dwSize, IDirectSoundBuffer** ppBuffer)
{
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
    DSBUFFERDESC desc = {sizeof desc, DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE, dwSize, 0, &format, GUID_NULL};
    if (FAILED(g_pDirectSound->CreateSoundBuffer(&desc, ppBuffer, nullptr))) {
        *ppBuffer = nullptr;
        return false;
    }
    void* pPart1 = nullptr;
    void* pPart2 = nullptr;
    DWORD dwPart1 = 0;
    DWORD dwPart2 = 0;
    if (FAILED((*ppBuffer)->Lock(0, dwSize, &pPart1, &dwPart1, &pPart2, &dwPart2, DSBLOCK_FROMWRITECURSOR))) {
        return false;
    }
    std::memcpy(pPart1, pData, dwPart1);
    if (pPart2) {
        std::memcpy(pPart2, pData + dwPart1, dwPart2);
    }
    return SUCCEEDED((*ppBuffer)->Unlock(pPart1, dwPart1, pPart2, dwPart2));
}

// The form, its first chunk and the "data" chunk found by the platform's own search,
// a fresh block read in one call, the file closed, then a fresh buffer filled.
bool LoadByHand(const std::string& path, IDirectSoundBuffer** ppBuffer)
{
    HMMIO hFile = mmioOpenA(const_cast<LPSTR>(path.c_str()), nullptr, MMIO_ALLOCBUF);
    if (!hFile) {
        return false;
    }
    MMCKINFO form = {};
    MMCKINFO chunk = {};
    WAVEFORMATEX format;
    form.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    bool bFound = mmioDescend(hFile, &form, nullptr, MMIO_FINDRIFF) == 0 &&
                  mmioDescend(hFile, &chunk, &form, 0) == 0 &&
                  mmioRead(hFile, reinterpret_cast<HPSTR>(&format), sizeof format) == sizeof format &&
                  mmioAscend(hFile, &chunk, 0) == 0;
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    bFound = bFound && mmioDescend(hFile, &chunk, &form, MMIO_FINDCHUNK) == 0;
    BYTE* pData = bFound ? static_cast<BYTE*>(std::malloc(chunk.cksize)) : nullptr;
    bool bRead = pData && mmioRead(hFile, reinterpret_cast<HPSTR>(pData), chunk.cksize) == LONG(chunk.cksize);
    mmioClose(hFile, 0);
    bool bFilled = bRead && FillNewBuffer(pData, chunk.cksize, ppBuffer);
    std::free(pData);
    return bFilled;
}

double TimeByHand(const std::string& path)
{
    IDirectSoundBuffer* pBuffer = nullptr;
    double dSeconds = Time([&] { return LoadByHand(path, &pBuffer); });
    pBuffer->Release();
    return dSeconds;
}

bool ReadWhole(const std::string& path)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD dwSize = GetFileSize(hFile, nullptr);
    void* pData = std::malloc(dwSize);
    DWORD dwRead = 0;
    bool bRead = pData && ReadFile(hFile, pData, dwSize, &dwRead, nullptr) && dwRead == dwSize;
    std::free(pData);
    CloseHandle(hFile);
    return bRead;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    HWND hWnd = CreateWindowA("STATIC", "wave load", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string path = std::string(szTemp) + "qm_wave_load_bench.wav";
    if (!hWnd || !g_media.InitAudio(hWnd) || !WriteWave(path)) {
        std::fprintf(stderr, "no window, no audio or no file\n");
        return 1;
    }
    // Once each first, so that all three find the file in the cache.
    TimeLoad(path);
    TimeByHand(path);
    ReadWhole(path);
    std::vector<double> loads;
    std::vector<double> byHand;
    std::vector<double> reads;
    for (int i = 0; i < RUNS; ++i) {
        loads.push_back(TimeLoad(path));
        byHand.push_back(TimeByHand(path));
        reads.push_back(Time([&] { return ReadWhole(path); }));
    }
    g_media.ShutdownAudio();
    DeleteFileA(path.c_str());
    DestroyWindow(hWnd);

    double dLoad = Median(loads);
    double dByHand = Median(byHand);
    double dRead = Median(reads);
    std::printf("LoadWave: %.2f ms, by hand: %.2f ms, ReadFile: %.2f ms\n", dLoad * 1000, dByHand * 1000,
                dRead * 1000);
    std::printf("LoadWave/by hand ratio: %.2f\n", dLoad / dByHand);
    std::printf("LoadWave/ReadFile ratio: %.2f\n", dLoad / dRead);
    return 0;
}
