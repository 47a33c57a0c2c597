#include "AudioTestSupport.h"
#include <cstdio>

void ResetAudioLibrary()
{
    g_media.ShutdownAudio();
    g_bFirstAudioInit = 1;
    ZeroMemory(g_waveSlots, sizeof g_waveSlots);
    ZeroMemory(g_midiSlots, sizeof g_midiSlots);
    ZeroMemory(&g_waveFormat, sizeof g_waveFormat);
    ZeroMemory(&g_waveBufferDesc, sizeof g_waveBufferDesc);
    g_nActiveMidi = NO_SLOT;
}

TempFolder::TempFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nFolders = 0;
    m_path = std::string(szTemp) + "qm_audio_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++s_nFolders);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA(PathOf(found.cFileName).c_str());
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(m_path.c_str());
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes)
{
    std::string path = PathOf(name);
    if (!WriteBytes(path, bytes))
        ADD_FAILURE() << "cannot write " << path;
    return path;
}

HiddenWindow::HiddenWindow()
{
    static ATOM s_atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QmAudioTest";
        return RegisterClassA(&wc);
    }();
    m_hWnd = CreateWindowA(MAKEINTATOM(s_atom), "audio", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HiddenWindow::~HiddenWindow()
{
    DestroyWindow(m_hWnd);
}

void PrintTo(const WaveCase& wave, std::ostream* out)
{
    *out << wave.name;
}

namespace {

const DWORD LOAD_TIME_LIMIT_MS = 10000;

struct WorkerLoad {
    std::string path;
    DWORD dwExtraFlags;
    int nSlot;
};

DWORD WINAPI LoadOnWorker(LPVOID pLoad)
{
    WorkerLoad& load = *static_cast<WorkerLoad*>(pLoad);
    load.nSlot = g_media.LoadWave(load.path.c_str(), load.dwExtraFlags);
    return 0;
}

}  // namespace

int LoadWaveWithinTimeLimit(const std::string& path, DWORD dwExtraFlags)
{
    WorkerLoad load = {path, dwExtraFlags, NO_SLOT};
    HANDLE hThread = CreateThread(nullptr, 0, &LoadOnWorker, &load, 0, nullptr);
    if (!hThread) {
        ADD_FAILURE() << "no thread for the load";
        return NO_SLOT;
    }
    if (WaitForSingleObject(hThread, LOAD_TIME_LIMIT_MS) != WAIT_OBJECT_0) {
        // The stuck thread may hold locks that the rest of the run needs, and it
        // still uses this frame: nothing after this line may run.
        const ::testing::TestInfo* pTest = ::testing::UnitTest::GetInstance()->current_test_info();
        std::printf("[  FAILED  ] %s.%s: LoadWave(\"%s\") did not come back within %lu ms\n",
                    pTest ? pTest->test_suite_name() : "?", pTest ? pTest->name() : "?", path.c_str(),
                    LOAD_TIME_LIMIT_MS);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 1);
    }
    CloseHandle(hThread);
    return load.nSlot;
}

void ExpectLoadAsCase(const WaveCase& wave, TempFolder& folder,
                      std::vector<BYTE> (*contents)(IDirectSoundBuffer* pBuffer))
{
    std::string path = wave.bWritten ? folder.Write("case.wav", wave.file) : folder.PathOf("missing.wav");

    EXPECT_EQ(wave.nResult, LoadWaveWithinTimeLimit(path, 0));

    const WAVESLOT& slot = g_waveSlots[0];
    EXPECT_EQ(wave.nState, slot.nState);
    ASSERT_EQ(wave.bBuffer, slot.pBuffer != nullptr);
    EXPECT_EQ(wave.dwDataSize, slot.dwDataSize);
    EXPECT_EQ(wave.dwSampleRate, slot.dwSampleRate);
    EXPECT_EQ(WAVE_FREE, g_waveSlots[1].nState);
    if (wave.nResult == 0) {
        EXPECT_EQ(std::vector<BYTE>(wave.bufferBytes.begin(), wave.bufferBytes.end()), contents(slot.pBuffer));
    }
    int nNextFree = wave.nState == WAVE_LOADED ? 1 : 0;
    EXPECT_EQ(nNextFree, LoadWaveWithinTimeLimit(folder.Write("valid.wav", ValidWave()), 0))
        << "the library goes on working";
}
