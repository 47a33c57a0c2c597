// Reading the sound of a RIFF/WAVE file for a wave slot.
#pragma once
#include <windows.h>

struct WAVEDATA {
    BYTE* pData;         // dwDataSize bytes from calloc
    DWORD dwDataSize;    // the "data" chunk's bytes that the form and the file hold
    DWORD dwSampleRate;  // the rate that the format declares
};

// Reads the first chunk of the "WAVE" form as a PCM format and the first "data"
// chunk after it, and closes the file. On false nothing is left to free: a file
// whose chunks do not each lie after the one before and inside the form and the
// file is refused.
bool ReadWaveFile(const char* pszFile, WAVEDATA& wave);
