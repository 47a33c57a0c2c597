// Crafting RIFF files byte by byte, well-formed or not, and writing them out: the
// tests' one writer of wave files.
#pragma once
#include <windows.h>
#include <string>

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

// Writes the bytes to a new file at path; false when the file cannot be made or
// written whole.
bool WriteBytes(const std::string& path, const std::string& bytes);
