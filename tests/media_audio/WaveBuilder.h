// The table of crafted wave files with what loading each must give.
#pragma once
#include "RiffBuilder.h"
#include <string>
#include <vector>

struct WaveCase {
    std::string name;
    std::string file;       // no file at all when empty and bWritten is false
    bool bWritten;
    int nResult;            // 0 (the first slot) or NO_SLOT
    int nState;             // of slot 0 afterwards
    bool bBuffer;           // whether slot 0 holds a buffer afterwards
    DWORD dwDataSize;       // recorded in slot 0 when it was taken
    DWORD dwSampleRate;
    std::string bufferBytes;  // what the buffer holds when the load succeeded
};

std::vector<WaveCase> WaveCases();
// A well-formed 8-bit mono file at 11025 Hz with a chunk of odd size in it.
std::string ValidWave();
