#include "WaveFile.h"
#include "MediaPlatform.h"
#include <mmsystem.h>
#include <climits>
#include <cstdlib>

namespace {

// The format is read whole, cbSize included, whatever size its chunk declares.
static_assert(sizeof(WAVEFORMATEX) == 18, "the format record as it lies in the file");

// A chunk whose size mmioRead cannot take in one call is too large for one block anyway.
bool ReadData(HMMIO hFile, DWORD dwSize, WAVEDATA& wave)
{
    if (dwSize > LONG_MAX) {
        return false;
    }
    // Zeroed, so bytes that a short file does not hold are silence, not stale heap.
    BYTE* pData = static_cast<BYTE*>(std::calloc(dwSize ? dwSize : 1, 1));
    if (!pData) {
        return false;
    }
    mmioRead(hFile, reinterpret_cast<HPSTR>(pData), static_cast<LONG>(dwSize));
    wave.pData = pData;
    wave.dwDataSize = dwSize;
    return true;
}

// The first chunk of the form is taken as the format, whatever its id.
bool ReadChunks(HMMIO hFile, WAVEDATA& wave)
{
    MMCKINFO form = {};
    MMCKINFO chunk = {};
    form.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(hFile, &form, nullptr, MMIO_FINDRIFF) != 0) {
        return false;
    }
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(hFile, &chunk, &form, 0) != 0) {
        return false;
    }
    WAVEFORMATEX format;
    if (mmioRead(hFile, reinterpret_cast<HPSTR>(&format), sizeof format) != sizeof format) {
        return false;
    }
    if (format.wFormatTag != WAVE_FORMAT_PCM) {
        return false;
    }
    if (mmioAscend(hFile, &chunk, 0) != 0) {
        return false;
    }
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(hFile, &chunk, &form, MMIO_FINDCHUNK) != 0) {
        return false;
    }
    wave.dwSampleRate = format.nSamplesPerSec;
    return ReadData(hFile, chunk.cksize, wave);
}

}  // namespace

bool ReadWaveFile(const char* pszFile, WAVEDATA& wave)
{
    HMMIO hFile = g_mediaPlatform.mmioOpenA(const_cast<LPSTR>(pszFile), nullptr, MMIO_ALLOCBUF);
    if (!hFile) {
        return false;
    }
    bool bRead = ReadChunks(hFile, wave);
    g_mediaPlatform.mmioClose(hFile, 0);
    return bRead;
}
