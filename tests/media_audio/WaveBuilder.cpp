#include "WaveBuilder.h"
#include "MediaLib.h"

namespace {

const DWORD LARGE_DECLARED = 1024 * 1024;
// A chunk size whose end wraps round the 32-bit offsets onto the chunk's own header.
const DWORD BACK_TO_ITS_HEADER = 0u - 8;
// After a 4-byte chunk: back onto that chunk's header (its 12 bytes and our own 8).
const DWORD BACK_TO_THE_CHUNK_BEFORE = 0u - 20;

// The same file with another size in its RIFF header.
std::string WithRiffSize(std::string file, DWORD dwSize)
{
    return file.replace(4, 4, Dword(dwSize));
}

}  // namespace

// Where ValidWave's "junk" chunk has its pad byte: after the RIFF header, the format
// chunk, and the junk chunk's header and 3 bytes.
const size_t VALID_WAVE_JUNK_PAD = 12 + 24 + 8 + 3;

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
        {"TruncatedDataChunk", full.substr(0, full.size() - 60), true, 0, WAVE_LOADED, true, 40, 11025,
         data.substr(0, 40)},
        {"DataLargerThanFile",
         RiffBuilder().Chunk("fmt ", mono).ChunkDeclaring("data", LARGE_DECLARED, data).Bytes(), true, 0,
         WAVE_LOADED, true, 100, 11025, data},
        {"DataSizeFFFFFFFF", RiffBuilder().Chunk("fmt ", mono).ChunkDeclaring("data", 0xFFFFFFFF, data).Bytes(),
         true, 0, WAVE_LOADED, true, 100, 11025, data},
        {"NothingOfTheDataInTheFile", RiffBuilder().Chunk("fmt ", mono).ChunkDeclaring("data", 100, "").Bytes(),
         true, NO_SLOT, WAVE_LOADED, false, 0, 11025, ""},
        // The form type, the format chunk, the data chunk's header and 50 of its bytes.
        {"RiffSizeEndsInsideTheData", WithRiffSize(full, 4 + 24 + 8 + 50), true, 0, WAVE_LOADED, true, 50, 11025,
         data.substr(0, 50)},
        {"RiffSizeZero", WithRiffSize(full, 0), true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"WrappingSizeBeforeFormat",
         RiffBuilder()
             .ChunkDeclaring("junk", BACK_TO_ITS_HEADER, Format(1, 1, 22050, 8))
             .Chunk("fmt ", mono)
             .Chunk("data", data)
             .Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"WrappingSizeBetweenFormatAndData",
         RiffBuilder().Chunk("fmt ", mono).ChunkDeclaring("junk", BACK_TO_ITS_HEADER, "abcd").Chunk("data", data).Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"WrappingFormatSize", RiffBuilder().ChunkDeclaring("fmt ", BACK_TO_ITS_HEADER, mono).Chunk("data", data).Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"ChunksLeadingToEachOther",
         RiffBuilder()
             .Chunk("fmt ", mono)
             .Chunk("junk", "abcd")
             .ChunkDeclaring("junk", BACK_TO_THE_CHUNK_BEFORE, "efgh")
             .Chunk("data", data)
             .Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"WrappingRiffOfAnotherForm", "RIFF" + Dword(BACK_TO_ITS_HEADER) + "AVI ", true, NO_SLOT, WAVE_FREE, false,
         0, 0, ""},
        {"WrappingChunkInPlaceOfRiff", "JUNK" + Dword(BACK_TO_ITS_HEADER) + "WAVE", true, NO_SLOT, WAVE_FREE, false,
         0, 0, ""},
        {"WaveFormAfterAnotherForm", RiffBuilder("AVI ").Chunk("junk", "abcd").Bytes() + full, true, 0,
         WAVE_LOADED, true, 100, 11025, data},
        {"FormatUnder16Bytes", RiffBuilder().Chunk("fmt ", mono.substr(0, 14)).Chunk("data", data).Bytes(), true,
         NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"FormatRunningPastTheEnd", RiffBuilder().ChunkDeclaring("fmt ", 0x100, mono).Chunk("data", data).Bytes(),
         true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"OddChunkSizes", ValidWave(), true, 0, WAVE_LOADED, true, 33, 11025, Samples(33)},
        // The walk lands on the data chunk's header one byte late.
        {"MissingPadByteBeforeData", ValidWave().erase(VALID_WAVE_JUNK_PAD, 1), true, NO_SLOT, WAVE_FREE, false, 0, 0,
         ""},
        {"MissingPadByteAtTheEnd", ValidWave().erase(ValidWave().size() - 1), true, 0, WAVE_LOADED, true, 33, 11025,
         Samples(33)},
        {"NotWaveForm", RiffBuilder("AVI ").Chunk("fmt ", mono).Chunk("data", data).Bytes(), true, NO_SLOT,
         WAVE_FREE, false, 0, 0, ""},
        {"NotRiff", RiffBuilder().Chunk("fmt ", mono).Chunk("data", data).Bytes("RIFX"), true, NO_SLOT, WAVE_FREE,
         false, 0, 0, ""},
        {"EmptyFile", "", true, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
        {"MissingFile", "", false, NO_SLOT, WAVE_FREE, false, 0, 0, ""},
    };
}
