#include "WaveFile.h"
#include "MediaPlatform.h"
#include <mmsystem.h>
#include <algorithm>
#include <cstdlib>

namespace {

// The format is read whole, cbSize included.
static_assert(sizeof(WAVEFORMATEX) == 18, "the format record as it lies in the file");

const FOURCC WAVE_FORM = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC DATA_CHUNK = mmioFOURCC('d', 'a', 't', 'a');
const LONG CHUNK_HEADER = 8;  // id and size
const LONG FORM_TYPE = 4;     // the first bytes of a form's content

// Where a chunk's content ends as it declares it, in 64 bits so that no size wraps.
LONGLONG DeclaredEnd(const MMCKINFO& chunk)
{
    return LONGLONG(chunk.dwDataOffset) + chunk.cksize;
}

// The chunk with its size cut where its parent (or the file) ends.
MMCKINFO Bounded(MMCKINFO chunk, LONG lEnd)
{
    chunk.cksize = static_cast<DWORD>(std::min<LONGLONG>(DeclaredEnd(chunk), lEnd) - chunk.dwDataOffset);
    return chunk;
}

// One level of chunks, walked one chunk at a time with sizes checked before the
// platform sees them: a file's declared sizes never make the platform search, wrap
// round or go back, so every walk ends within the file's real size.
struct ChunkLevel {
    const MMCKINFO* pParent;  // null at the file's top level
    LONG lHeader;             // what must lie inside the level to enter a chunk: its header,
                              // and at the top the form type too
    LONGLONG llNext;          // where the next chunk begins: the end of the one before
    LONG lEnd;                // the end of the parent, never beyond the end of the file
};

// Descends, without a search, into the chunk at the current position, if its
// header lies inside the level.
bool EnterChunk(HMMIO hFile, const ChunkLevel& level, MMCKINFO& chunk)
{
    return level.llNext + level.lHeader <= level.lEnd && mmioDescend(hFile, &chunk, level.pParent, 0) == 0;
}

// Ascends to the end of a chunk (and its pad byte), if it lies wholly inside the level.
bool LeaveChunk(HMMIO hFile, ChunkLevel& level, MMCKINFO& chunk)
{
    if (DeclaredEnd(chunk) > level.lEnd || mmioAscend(hFile, &chunk, 0) != 0) {
        return false;
    }
    level.llNext = chunk.dwDataOffset + ((LONGLONG(chunk.cksize) + 1) & ~1LL);
    return true;
}

// The first chunk of the level, from the current one on, that is wanted; the chunks
// before it are skipped.
template <class Wanted>
bool FindChunk(HMMIO hFile, ChunkLevel& level, MMCKINFO& chunk, Wanted wanted)
{
    while (EnterChunk(hFile, level, chunk)) {
        if (wanted(chunk)) {
            return true;
        }
        if (!LeaveChunk(hFile, level, chunk)) {
            return false;
        }
    }
    return false;
}

// The file's own end, where every walk stops whatever sizes the file declares.
LONG FileSize(HMMIO hFile)
{
    LONG lSize = mmioSeek(hFile, 0, SEEK_END);
    return mmioSeek(hFile, 0, SEEK_SET) == 0 ? lSize : -1;
}

// The data that the file holds, up to the size its chunk declares.
bool ReadData(HMMIO hFile, DWORD dwSize, WAVEDATA& wave)
{
    // Zeroed, so bytes that a failing read does not fill are silence, not stale heap.
    BYTE* pData = static_cast<BYTE*>(std::calloc(dwSize ? dwSize : 1, 1));
    if (!pData) {
        return false;
    }
    mmioRead(hFile, reinterpret_cast<HPSTR>(pData), static_cast<LONG>(dwSize));
    wave.pData = pData;
    wave.dwDataSize = dwSize;
    return true;
}

// The first "RIFF" form of type "WAVE" among the file's top-level chunks.
bool FindWaveForm(HMMIO hFile, LONG lFileEnd, MMCKINFO& form)
{
    ChunkLevel top = {nullptr, CHUNK_HEADER + FORM_TYPE, 0, lFileEnd};
    return FindChunk(hFile, top, form,
                     [](const MMCKINFO& ck) { return ck.ckid == FOURCC_RIFF && ck.fccType == WAVE_FORM; });
}

// The first chunk of the form is taken as the format, whatever its id. It must hold
// at least the fields of a PCM format; 18 bytes are read all the same, so the last
// two of a 16-byte format come from what follows it, and are not used.
bool ReadFormat(HMMIO hFile, ChunkLevel& inForm, WAVEFORMATEX& format)
{
    MMCKINFO chunk = {};
    if (!EnterChunk(hFile, inForm, chunk) || chunk.cksize < sizeof(PCMWAVEFORMAT)) {
        return false;
    }
    if (mmioRead(hFile, reinterpret_cast<HPSTR>(&format), sizeof format) != sizeof format) {
        return false;
    }
    return format.wFormatTag == WAVE_FORMAT_PCM && LeaveChunk(hFile, inForm, chunk);
}

bool ReadChunks(HMMIO hFile, WAVEDATA& wave)
{
    LONG lFileEnd = FileSize(hFile);
    MMCKINFO form = {};
    if (lFileEnd < 0 || !FindWaveForm(hFile, lFileEnd, form)) {
        return false;
    }
    // A truncated file keeps its form: the form is what the file holds of it.
    const MMCKINFO parent = Bounded(form, lFileEnd);
    ChunkLevel inForm = {&parent, CHUNK_HEADER, LONGLONG(parent.dwDataOffset) + FORM_TYPE,
                         static_cast<LONG>(DeclaredEnd(parent))};
    WAVEFORMATEX format;
    MMCKINFO data = {};
    if (!ReadFormat(hFile, inForm, format) ||
        !FindChunk(hFile, inForm, data, [](const MMCKINFO& ck) { return ck.ckid == DATA_CHUNK; })) {
        return false;
    }
    // A "data" chunk that claims more than the form holds gives the bytes that are there.
    wave.dwSampleRate = format.nSamplesPerSec;
    return ReadData(hFile, Bounded(data, inForm.lEnd).cksize, wave);
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
