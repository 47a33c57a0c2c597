// Reading the sound of a RIFF/WAVE file for a wave slot.
#pragma once
#include <windows.h>

struct WAVEDATA {
    BYTE* pData;         // dwDataSize bytes from calloc; zero where the file held less
    DWORD dwDataSize;    // the size that the "data" chunk declares
    DWORD dwSampleRate;  // the rate that the format declares
};

// Reads the first chunk of the "WAVE" form as a PCM format and the first "data"
// chunk after it, and closes the file. On false nothing is left to free.
bool ReadWaveFile(const char* pszFile, WAVEDATA& wave);
