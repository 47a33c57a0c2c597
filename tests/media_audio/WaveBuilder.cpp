#include "WaveBuilder.h"
#include "MediaLib.h"

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

std::string Zeros(size_t nBytes)
{
    return std::string(nBytes, '\0');
}

const DWORD LARGE_DECLARED = 1024 * 1024;

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

std::string ValidWave()
{
    return RiffBuilder()
        .Chunk("fmt ", Format(1, 1, 11025, 8))
        .Chunk("junk", "odd")
        .Chunk("data", Samples(33))
        .Bytes();
}

std::vector<WaveCase> WaveCases()
{
    const std::string mono = Format(1, 1, 11025, 8);
    const std::string data = Samples(100);
    const std::string full = RiffBuilder().Chunk("fmt ", mono).Chunk("data", data).Bytes();
    return {
        {"Format16Bytes", full, true, 0, WAVE_LOADED, true, 100, 11025, data},
        {"Format18Bytes", RiffBuilder().Chunk("fmt ", Format(1, 1, 11025, 8, true)).Chunk("data", data).Bytes(),
         true, 0, WAVE_LOADED, true, 100, 11025, data},
        {"Stereo16Bit44100", RiffBuilder().Chunk("fmt ", Format(1, 2, 44100, 16)).Chunk("data", Samples(400)).Bytes(),
         true, 0, WAVE_LOADED, true, 400, 44100, Samples(400)},
        {"OtherChunkFirst", RiffBuilder().Chunk("LIST", "INFOISFT").Chunk("fmt ", mono).Chunk("data", data).Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"OtherChunkFirstStartingWith1And0",
         RiffBuilder().Chunk("junk", Format(1, 1, 22050, 8)).Chunk("fmt ", mono).Chunk("data", data).Bytes(), true,
         0, WAVE_LOADED, true, 100, 22050, data},
        {"CompressedFormat", RiffBuilder().Chunk("fmt ", Format(2, 1, 11025, 4, true)).Chunk("data", data).Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"NoDataChunk", RiffBuilder().Chunk("fmt ", mono).Chunk("LIST", "INFOISFT").Bytes(), true, NO_SLOT,
         WAVE_FREE, false, 0, 0, ""},
        {"FormatEndsTheFile", RiffBuilder().Chunk("fmt ", mono).Bytes(), true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"EmptyDataChunk", RiffBuilder().Chunk("fmt ", mono).Chunk("data", "").Bytes(), true, NO_SLOT, WAVE_LOADED,
         false, 0, 11025, ""},
        {"TruncatedDataChunk", full.substr(0, full.size() - 60), true, 0, WAVE_LOADED, true, 100, 11025,
         data.substr(0, 40) + Zeros(60)},
        {"DataLargerThanFile",
         RiffBuilder().Chunk("fmt ", mono).ChunkDeclaring("data", LARGE_DECLARED, data).Bytes(), true, 0,
         WAVE_LOADED, true, LARGE_DECLARED, 11025, data + Zeros(LARGE_DECLARED - data.size())},
        {"OddChunkSizes", ValidWave(), true, 0, WAVE_LOADED, true, 33, 11025, Samples(33)},
        {"NotWaveForm", RiffBuilder("AVI ").Chunk("fmt ", mono).Chunk("data", data).Bytes(), true, NO_SLOT,
         WAVE_FREE, false, 0, 0, ""},
        {"NotRiff", RiffBuilder().Chunk("fmt ", mono).Chunk("data", data).Bytes("RIFX"), true, NO_SLOT, WAVE_FREE,
         false, 0, 0, ""},
        {"EmptyFile", "", true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"MissingFile", "", false, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
    };
}
