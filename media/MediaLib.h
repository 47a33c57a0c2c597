// The media library: one library-wide class whose operations work on global tables
// of sound buffers and music segments and on the full-screen display.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#include <dmusici.h>
#include <ddraw.h>

// The slot number that stands for no slot.
const int NO_SLOT = -1;

// MIDI slot states.
const int MIDI_FREE = 0;
const int MIDI_LOADED = 1;
const int MIDI_PLAYING = 2;
const int MIDI_STOPPED = 3;

// Wave slot states.
const int WAVE_FREE = 0;
const int WAVE_LOADED = 1;

const int MIDI_SLOT_COUNT = 64;
const int WAVE_SLOT_COUNT = 256;

struct MIDISLOT {
    IDirectMusicSegment* pSegment;
    IDirectMusicSegmentState* pSegmentState;
    int nIndex;
    int nState;
};

struct WAVESLOT {
    IDirectSoundBuffer* pBuffer;
    int nState;
    DWORD dwSampleRate;
    DWORD dwDataSize;
    int nIndex;
};

class CMediaLib {
public:
    // Audio start-up and shutdown.
    BOOL InitAudio(HWND hWnd);
    BOOL ShutdownAudio();

    // MIDI slots.
    int LoadMidi(const char* pszFile);
    BOOL PlayMidi(int nSlot);
    BOOL StopMidi(int nSlot);
    BOOL UnloadMidi(int nSlot);
    BOOL UnloadAllMidi();
    int GetMidiState(int nSlot);

    // Wave slots.
    int LoadWave(const char* pszFile, DWORD dwExtraFlags);
    BOOL PlayWave(int nSlot, DWORD dwPlayFlags);
    BOOL StopWave(int nSlot);
    BOOL StopAllWaves();
    BOOL SetWaveVolume(int nSlot, int nPercent);
    BOOL SetWaveFrequency(int nSlot, DWORD dwHz);
    BOOL SetWavePan(int nSlot, LONG lPan);
    BOOL ReleaseWave(int nSlot);
    BOOL ReleaseAllWaves();
    DWORD GetWaveStatus(int nSlot);

    // Bitmap surfaces and the full-screen display.
    IDirectDrawSurface7* LoadBitmapSurface(const char* pszFile);
    BOOL InitDisplay(HWND hWnd, DWORD dwWidth, DWORD dwHeight, DWORD dwBitsPerPixel);
};

// The program's one library object.
extern CMediaLib g_media;

// Audio core.
extern BOOL g_bFirstAudioInit;
extern IDirectSound* g_pDirectSound;
extern IDirectMusicPerformance* g_pPerformance;
extern IDirectMusicLoader* g_pLoader;

// MIDI slots.
extern MIDISLOT g_midiSlots[MIDI_SLOT_COUNT];
extern int g_nActiveMidi;

// Wave slots and the records every sound buffer is made with.
extern WAVESLOT g_waveSlots[WAVE_SLOT_COUNT];
extern WAVEFORMATEX g_waveFormat;
extern DSBUFFERDESC g_waveBufferDesc;

// The display.
extern IDirectDraw7* g_pDirectDraw;
extern IDirectDrawSurface7* g_pPrimarySurface;
extern IDirectDrawSurface7* g_pBackSurface;
