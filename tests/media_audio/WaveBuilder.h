// Crafting RIFF/WAVE files byte by byte, well-formed or not, and the table of
// crafted files with what loading each must give.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class RiffBuilder {
public:
    explicit RiffBuilder(const std::string& formType = "WAVE") : m_formType(formType) {}

    // A chunk with its own size, and the pad byte that an odd size asks for.
    RiffBuilder& Chunk(const std::string& id, const std::string& data);
    // A chunk whose header declares another size than the data that follows it.
    RiffBuilder& ChunkDeclaring(const std::string& id, DWORD dwDeclared, const std::string& data);
    // The whole file, its RIFF size counting everything after the size field.
    std::string Bytes(const std::string& riffId = "RIFF") const;

private:
    std::string m_formType;
    std::string m_chunks;
};

std::string Dword(DWORD dw);
// A WAVEFORMATEX as it lies in a file: 16 bytes, or 18 with cbSize 0.
std::string Format(WORD wTag, WORD wChannels, DWORD dwRate, WORD wBits, bool bWithCbSize = false);
// Recognisable sample bytes: no two neighbours alike, none of them zero.
std::string Samples(size_t nBytes);

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
