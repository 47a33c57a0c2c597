// Sound effects: a fixed table of static DirectSound buffers, each filled once from
// a RIFF/WAVE file and then played from memory.
#include "MediaLib.h"
#include "WaveFile.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

WAVESLOT g_waveSlots[WAVE_SLOT_COUNT];
WAVEFORMATEX g_waveFormat;
DSBUFFERDESC g_waveBufferDesc;

namespace {

#ifdef __i386__  // the 32-bit program's records; a 64-bit build has its own
static_assert(sizeof(DSBUFFERDESC) == 36, "the layout that ends with guid3DAlgorithm");
#endif

// Every buffer plays 8-bit mono at 11025 Hz, whatever its file declares.
const DWORD BUFFER_RATE = 11025;
const DWORD NO_BUFFER_STATUS = 0xFFFFFFFF;

// Null for a slot without a buffer and for a number outside the table.
IDirectSoundBuffer* BufferOf(int nSlot)
{
    return nSlot >= 0 && nSlot < WAVE_SLOT_COUNT ? g_waveSlots[nSlot].pBuffer : nullptr;
}

int FindFreeSlot()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        if (g_waveSlots[i].nState == WAVE_FREE) {
            return i;
        }
    }
    return NO_SLOT;
}

// dwReserved and guid3DAlgorithm are never written: they stay zero from program start.
void DescribeBuffer(DWORD dwBytes, DWORD dwExtraFlags)
{
    ZeroMemory(&g_waveFormat, sizeof g_waveFormat);
    g_waveFormat.wFormatTag = WAVE_FORMAT_PCM;
    g_waveFormat.nChannels = 1;
    g_waveFormat.nSamplesPerSec = BUFFER_RATE;
    g_waveFormat.nBlockAlign = 1;
    g_waveFormat.nAvgBytesPerSec = BUFFER_RATE * g_waveFormat.nBlockAlign;
    g_waveFormat.wBitsPerSample = 8;
    g_waveBufferDesc.dwSize = sizeof g_waveBufferDesc;
    g_waveBufferDesc.dwFlags = dwExtraFlags | DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE;
    g_waveBufferDesc.dwBufferBytes = dwBytes;
    g_waveBufferDesc.lpwfxFormat = &g_waveFormat;
}

// The lock starts at the write cursor and may come back in two parts. Neither copy
// reads past the block, even if the platform hands back more than was asked for.
bool FillBuffer(IDirectSoundBuffer* pBuffer, const WAVEDATA& wave)
{
    void* pPart1 = nullptr;
    void* pPart2 = nullptr;
    DWORD dwPart1 = 0;
    DWORD dwPart2 = 0;
    if (FAILED(pBuffer->Lock(0, wave.dwDataSize, &pPart1, &dwPart1, &pPart2, &dwPart2,
                             DSBLOCK_FROMWRITECURSOR))) {
        return false;
    }
    DWORD dwCopy1 = std::min(dwPart1, wave.dwDataSize);
    DWORD dwCopy2 = std::min(dwPart2, wave.dwDataSize - dwCopy1);
    if (dwCopy1) {
        std::memcpy(pPart1, wave.pData, dwCopy1);
    }
    if (dwCopy2) {
        std::memcpy(pPart2, wave.pData + dwCopy1, dwCopy2);
    }
    return SUCCEEDED(pBuffer->Unlock(pPart1, dwPart1, pPart2, dwPart2));
}

// A failed creation leaves the slot taken but without a buffer.
bool MakeBuffer(WAVESLOT& slot, const WAVEDATA& wave, DWORD dwExtraFlags)
{
    DescribeBuffer(wave.dwDataSize, dwExtraFlags);
    if (FAILED(g_pDirectSound->CreateSoundBuffer(&g_waveBufferDesc, &slot.pBuffer, nullptr))) {
        slot.pBuffer = nullptr;
        return false;
    }
    return FillBuffer(slot.pBuffer, wave);
}

}  // namespace

int CMediaLib::LoadWave(const char* pszFile, DWORD dwExtraFlags)
{
    // Without a DirectSound object no buffer can be made, so no slot is taken.
    if (!g_pDirectSound || !pszFile) {
        return NO_SLOT;
    }
    int nSlot = FindFreeSlot();
    if (nSlot == NO_SLOT) {
        return NO_SLOT;
    }
    WAVEDATA wave = {};
    if (!ReadWaveFile(pszFile, wave)) {
        return NO_SLOT;
    }
    WAVESLOT& slot = g_waveSlots[nSlot];
    slot.dwSampleRate = wave.dwSampleRate;
    slot.dwDataSize = wave.dwDataSize;
    slot.nState = WAVE_LOADED;
    bool bMade = MakeBuffer(slot, wave, dwExtraFlags);
    std::free(wave.pData);
    return bMade ? nSlot : NO_SLOT;
}

BOOL CMediaLib::PlayWave(int nSlot, DWORD dwPlayFlags)
{
    IDirectSoundBuffer* pBuffer = BufferOf(nSlot);
    if (!pBuffer) {
        return 1;
    }
    // From the beginning, even when it is already playing.
    if (FAILED(pBuffer->SetCurrentPosition(0))) {
        return 0;
    }
    return SUCCEEDED(pBuffer->Play(0, 0, dwPlayFlags));
}

BOOL CMediaLib::StopWave(int nSlot)
{
    IDirectSoundBuffer* pBuffer = BufferOf(nSlot);
    if (pBuffer) {
        pBuffer->Stop();
        pBuffer->SetCurrentPosition(0);
    }
    return 1;
}

BOOL CMediaLib::StopAllWaves()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        StopWave(i);
    }
    return 1;
}

// The setters succeed only on exactly DS_OK, stricter than PlayWave.
BOOL CMediaLib::SetWaveVolume(int nSlot, int nPercent)
{
    IDirectSoundBuffer* pBuffer = BufferOf(nSlot);
    // In unsigned arithmetic the product wraps like the 32-bit one it stands for,
    // without the undefined behaviour of a signed overflow.
    LONG lVolume = static_cast<LONG>((100u - static_cast<DWORD>(nPercent)) * static_cast<DWORD>(-30));
    return pBuffer && pBuffer->SetVolume(lVolume) == DS_OK;
}

BOOL CMediaLib::SetWaveFrequency(int nSlot, DWORD dwHz)
{
    IDirectSoundBuffer* pBuffer = BufferOf(nSlot);
    return pBuffer && pBuffer->SetFrequency(dwHz) == DS_OK;
}

BOOL CMediaLib::SetWavePan(int nSlot, LONG lPan)
{
    IDirectSoundBuffer* pBuffer = BufferOf(nSlot);
    return pBuffer && pBuffer->SetPan(lPan) == DS_OK;
}

BOOL CMediaLib::ReleaseWave(int nSlot)
{
    StopWave(nSlot);
    if (nSlot < 0 || nSlot >= WAVE_SLOT_COUNT) {
        return 1;
    }
    WAVESLOT& slot = g_waveSlots[nSlot];
    if (slot.pBuffer) {
        slot.pBuffer->Release();
        slot.pBuffer = nullptr;
    }
    slot.nState = WAVE_FREE;
    return 1;
}

BOOL CMediaLib::ReleaseAllWaves()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        ReleaseWave(i);
    }
    return 1;
}

DWORD CMediaLib::GetWaveStatus(int nSlot)
{
    IDirectSoundBuffer* pBuffer = BufferOf(nSlot);
    if (!pBuffer) {
        return NO_BUFFER_STATUS;
    }
    // What a failing GetStatus leaves: no flag set.
    DWORD dwStatus = 0;
    pBuffer->GetStatus(&dwStatus);
    return dwStatus;
}
