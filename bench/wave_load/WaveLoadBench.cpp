// LoadWave reads the data chunk through buffered multimedia file I/O, copies it into
// a locked DirectSound buffer and frees its block; ReadFile into memory is the floor.
#include "MediaLib.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const DWORD DATA_BYTES = 10 * 1024 * 1024;
const int RUNS = 9;

struct WaveHeader {
    char riff[4];
    DWORD dwRiffSize;
    char wave[4];
    char fmt[4];
    DWORD dwFmtSize;
    PCMWAVEFORMAT format;
    char data[4];
    DWORD dwDataSize;
};
static_assert(sizeof(WaveHeader) == 44, "the canonical header of a PCM wave file");

bool WriteWave(const std::string& path)
{
    WaveHeader header = {{'R', 'I', 'F', 'F'}, sizeof(WaveHeader) - 8 + DATA_BYTES, {'W', 'A', 'V', 'E'},
                         {'f', 'm', 't', ' '}, sizeof(PCMWAVEFORMAT), {{WAVE_FORMAT_PCM, 1, 11025, 11025, 1}, 8},
                         {'d', 'a', 't', 'a'}, DATA_BYTES};
    std::vector<BYTE> samples(DATA_BYTES);
    for (DWORD i = 0; i < DATA_BYTES; ++i) {
        samples[i] = static_cast<BYTE>(128 + (i * 7) % 64);
    }
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD dwWritten = 0;
    bool bWritten = hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, &header, sizeof header, &dwWritten, nullptr) &&
                    WriteFile(hFile, samples.data(), DATA_BYTES, &dwWritten, nullptr);
    CloseHandle(hFile);
    return bWritten;
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
    // Once each first, so that both find the file in the cache.
    TimeLoad(path);
    ReadWhole(path);
    std::vector<double> loads;
    std::vector<double> reads;
    for (int i = 0; i < RUNS; ++i) {
        loads.push_back(TimeLoad(path));
        reads.push_back(Time([&] { return ReadWhole(path); }));
    }
    g_media.ShutdownAudio();
    DeleteFileA(path.c_str());
    DestroyWindow(hWnd);

    double dLoad = Median(loads);
    double dRead = Median(reads);
    std::printf("LoadWave: %.2f ms, ReadFile: %.2f ms\n", dLoad * 1000, dRead * 1000);
    std::printf("LoadWave/ReadFile ratio: %.2f\n", dLoad / dRead);
    return 0;
}
