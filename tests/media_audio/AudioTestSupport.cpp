#include "AudioTestSupport.h"
#include <fstream>

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
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
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

void ExpectLoadAsCase(const WaveCase& wave, TempFolder& folder,
                      std::vector<BYTE> (*contents)(IDirectSoundBuffer* pBuffer))
{
    std::string path = wave.bWritten ? folder.Write("case.wav", wave.file) : folder.PathOf("missing.wav");

    EXPECT_EQ(wave.nResult, g_media.LoadWave(path.c_str(), 0));

    const WAVESLOT& slot = g_waveSlots[0];
    EXPECT_EQ(wave.nState, slot.nState);
    ASSERT_EQ(wave.bBuffer, slot.pBuffer != nullptr);
    EXPECT_EQ(wave.dwDataSize, slot.dwDataSize);
    EXPECT_EQ(wave.dwSampleRate, slot.dwSampleRate);
    EXPECT_EQ(WAVE_FREE, g_waveSlots[1].nState);
    if (wave.nResult == 0) {
        EXPECT_EQ(std::vector<BYTE>(wave.bufferBytes.begin(), wave.bufferBytes.end()), contents(slot.pBuffer));
    }
}
