#include "RiffBuilder.h"

std::string Dword(DWORD dw)
{
    return std::string{static_cast<char>(dw), static_cast<char>(dw >> 8), static_cast<char>(dw >> 16),
                       static_cast<char>(dw >> 24)};
}

namespace {

std::string Word(WORD w)
{
    return std::string{static_cast<char>(w), static_cast<char>(w >> 8)};
}

}  // namespace

RiffBuilder& RiffBuilder::Chunk(const std::string& id, const std::string& data)
{
    return ChunkDeclaring(id, static_cast<DWORD>(data.size()), data);
}

RiffBuilder& RiffBuilder::ChunkDeclaring(const std::string& id, DWORD dwDeclared, const std::string& data)
{
    m_chunks += id + Dword(dwDeclared) + data;
    if (data.size() % 2) {
        m_chunks += '\0';
    }
    return *this;
}

std::string RiffBuilder::Bytes(const std::string& riffId) const
{
    return riffId + Dword(static_cast<DWORD>(4 + m_chunks.size())) + m_formType + m_chunks;
}

std::string Format(WORD wTag, WORD wChannels, DWORD dwRate, WORD wBits, bool bWithCbSize)
{
    WORD wAlign = static_cast<WORD>(wChannels * wBits / 8);
    std::string format = Word(wTag) + Word(wChannels) + Dword(dwRate) + Dword(dwRate * wAlign) + Word(wAlign) +
                         Word(wBits);
    return bWithCbSize ? format + Word(0) : format;
}

std::string Samples(size_t nBytes)
{
    std::string samples;
    for (size_t i = 0; i < nBytes; ++i) {
        samples += static_cast<char>(1 + i % 251);
    }
    return samples;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    bool bWritten = ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, nullptr) &&
                    dwWritten == bytes.size();
    return ::CloseHandle(hFile) && bWritten;
}
