// The audio core: one DirectSound object shared by sound effects and music, the
// DirectMusic performance with its loader, and COM for them on the calling thread.
#include "MediaLib.h"
#include "MediaPlatform.h"

CMediaLib g_media;

BOOL g_bFirstAudioInit = 1;
IDirectSound* g_pDirectSound = nullptr;
IDirectMusicPerformance* g_pPerformance = nullptr;
IDirectMusicLoader* g_pLoader = nullptr;

namespace {

// COM wants exactly one CoUninitialize for each CoInitialize that succeeded.
bool s_bComInitialised = false;

// A shutdown that gave the DirectSound object back lets the next start-up make it
// again; a start-up whose DirectSoundCreate failed does not, so that failure stays final.
bool s_bDirectSoundReleased = false;

// DirectSound is made by the first start-up of the process, which also clears the
// wave table, and again by a start-up after a shutdown gave it back.
BOOL StartDirectSound(HWND hWnd)
{
    if (g_bFirstAudioInit) {
        ZeroMemory(g_waveSlots, sizeof g_waveSlots);
        g_bFirstAudioInit = 0;
    } else if (!s_bDirectSoundReleased) {
        return TRUE;
    }
    s_bDirectSoundReleased = false;
    if (FAILED(g_mediaPlatform.DirectSoundCreate(nullptr, &g_pDirectSound, nullptr))) {
        g_pDirectSound = nullptr;  // a failed call may leave anything behind
        return FALSE;
    }
    return SUCCEEDED(g_pDirectSound->SetCooperativeLevel(hWnd, DSSCL_NORMAL));
}

void ResetWaveSlots()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        WAVESLOT& slot = g_waveSlots[i];
        if (slot.pBuffer) {
            slot.pBuffer->Stop();
            slot.pBuffer->Release();
        }
        slot = WAVESLOT{};
        slot.nIndex = i;
    }
}

BOOL CreateInstance(REFCLSID clsid, REFIID iid, void** ppObject)
{
    if (SUCCEEDED(g_mediaPlatform.CoCreateInstance(clsid, nullptr, CLSCTX_INPROC, iid, ppObject))) {
        return TRUE;
    }
    *ppObject = nullptr;
    return FALSE;
}

BOOL StartDirectMusic(HWND hWnd)
{
    if (FAILED(g_mediaPlatform.CoInitialize(nullptr))) {
        return FALSE;
    }
    s_bComInitialised = true;
    if (!CreateInstance(CLSID_DirectMusicPerformance, IID_IDirectMusicPerformance,
                        reinterpret_cast<void**>(&g_pPerformance))) {
        return FALSE;
    }
    // Music and sound effects share the one DirectSound object.
    if (FAILED(g_pPerformance->Init(nullptr, g_pDirectSound, hWnd))) {
        return FALSE;
    }
    if (FAILED(g_pPerformance->AddPort(nullptr))) {
        return FALSE;
    }
    return CreateInstance(CLSID_DirectMusicLoader, IID_IDirectMusicLoader,
                          reinterpret_cast<void**>(&g_pLoader));
}

void ResetMidiSlots()
{
    for (int i = 0; i < MIDI_SLOT_COUNT; ++i) {
        g_midiSlots[i] = MIDISLOT{};
        g_midiSlots[i].nIndex = i;
    }
}

// Silences the music before its segments are unloaded, unloads them while the
// performance is still open, and gives performance and loader back before COM.
void ShutdownMusic(CMediaLib& lib)
{
    if (g_pPerformance) {
        g_pPerformance->Stop(nullptr, nullptr, 0, 0);
    }
    lib.UnloadAllMidi();
    if (g_pPerformance) {
        g_pPerformance->CloseDown();
        g_pPerformance->Release();
        g_pPerformance = nullptr;
    }
    if (g_pLoader) {
        g_pLoader->Release();
        g_pLoader = nullptr;
    }
    if (s_bComInitialised) {
        g_mediaPlatform.CoUninitialize();
        s_bComInitialised = false;
    }
}

void ReleaseWaveBuffers()
{
    for (WAVESLOT& slot : g_waveSlots) {
        if (slot.pBuffer) {
            slot.pBuffer->Release();
            slot.pBuffer = nullptr;
        }
    }
}

// Last of all: the buffers and the performance were made on it.
void ReleaseDirectSound()
{
    if (g_pDirectSound) {
        g_pDirectSound->Release();
        g_pDirectSound = nullptr;
        s_bDirectSoundReleased = true;
    }
}

}  // namespace

BOOL CMediaLib::InitAudio(HWND hWnd)
{
    // A start-up while started would otherwise lose the performance, loader,
    // segments and COM initialisation that it replaces.
    ShutdownMusic(*this);
    if (!StartDirectSound(hWnd)) {
        return 0;
    }
    ResetWaveSlots();
    if (!StartDirectMusic(hWnd)) {
        return 0;
    }
    ResetMidiSlots();
    g_nActiveMidi = NO_SLOT;
    return 1;
}

BOOL CMediaLib::ShutdownAudio()
{
    ShutdownMusic(*this);
    StopAllWaves();
    ReleaseWaveBuffers();
    ReleaseDirectSound();
    return 1;
}
