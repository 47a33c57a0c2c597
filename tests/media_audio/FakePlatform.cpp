#include "FakePlatform.h"
#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

FakePlatform* s_pInstalled = nullptr;

std::string Hex(DWORD dw)
{
    std::ostringstream out;
    out << "0x" << std::hex << dw;
    return out.str();
}

std::string Narrow(const WCHAR* pwsz)
{
    std::string s;
    for (; pwsz && *pwsz; ++pwsz) {
        s += *pwsz < 0x80 ? static_cast<char>(*pwsz) : '?';
    }
    return s;
}

// The arguments as the log shows them, separated by ", ".
template <class... Args>
std::string Call(const std::string& name, const Args&... args)
{
    std::ostringstream out;
    out << name << '(';
    const char* pszSeparator = "";
    ((out << pszSeparator << args, pszSeparator = ", "), ...);
    out << ')';
    return out.str();
}

std::vector<BYTE> BytesOf(const void* p, size_t nBytes)
{
    const BYTE* pb = static_cast<const BYTE*>(p);
    return std::vector<BYTE>(pb, pb + nBytes);
}

HRESULT WINAPI FakeDirectSoundCreate(LPCGUID pGuid, LPDIRECTSOUND* ppDS, LPUNKNOWN pOuter)
{
    FakePlatform& fake = *s_pInstalled;
    fake.Record(Call("DirectSoundCreate", fake.Describe(pGuid), fake.Describe(ppDS), fake.Describe(pOuter)));
    HRESULT hr = fake.Answer("DirectSoundCreate");
    *ppDS = SUCCEEDED(hr) ? fake.Make<FakeDirectSound>("DirectSound")
                          : static_cast<LPDIRECTSOUND>(FakePlatform::Poison());
    return hr;
}

HRESULT WINAPI FakeCoInitialize(LPVOID pReserved)
{
    FakePlatform& fake = *s_pInstalled;
    fake.Record(Call("CoInitialize", fake.Describe(pReserved)));
    HRESULT hr = fake.Answer("CoInitialize");
    if (SUCCEEDED(hr)) {
        ++fake.nComDepth;
    }
    return hr;
}

void WINAPI FakeCoUninitialize()
{
    FakePlatform& fake = *s_pInstalled;
    fake.Record("CoUninitialize()");
    fake.nLowestComDepth = std::min(fake.nLowestComDepth, --fake.nComDepth);
}

HRESULT WINAPI FakeCoCreateInstance(REFCLSID clsid, LPUNKNOWN pOuter, DWORD dwClsCtx, REFIID iid, LPVOID* ppv)
{
    FakePlatform& fake = *s_pInstalled;
    std::string strClass = FakePlatform::Describe(clsid);
    fake.Record(Call("CoCreateInstance", strClass, fake.Describe(pOuter), dwClsCtx, FakePlatform::Describe(iid),
                     fake.Describe(ppv)));
    HRESULT hr = fake.Answer("CoCreateInstance " + strClass);
    if (FAILED(hr)) {
        *ppv = FakePlatform::Poison();
    } else if (IsEqualGUID(clsid, CLSID_DirectMusicPerformance)) {
        *ppv = static_cast<IDirectMusicPerformance*>(fake.Make<FakePerformance>("Performance"));
    } else {
        *ppv = static_cast<IDirectMusicLoader*>(fake.Make<FakeLoader>("Loader"));
    }
    return hr;
}

// Like _getcwd: null when the folder and its terminator do not fit.
char* FakeGetCwd(char* pBuffer, int nSize)
{
    FakePlatform& fake = *s_pInstalled;
    fake.Record(Call("GetCwd", nSize));
    if (fake.bGetCwdFails || fake.cwd.size() + 1 > static_cast<size_t>(nSize)) {
        return nullptr;
    }
    std::memcpy(pBuffer, fake.cwd.c_str(), fake.cwd.size() + 1);
    return pBuffer;
}

// The real file, opened and logged by its name without the folder.
HMMIO WINAPI FakeMmioOpenA(LPSTR pszFileName, LPMMIOINFO pInfo, DWORD dwOpenFlags)
{
    FakePlatform& fake = *s_pInstalled;
    std::string path = pszFileName ? pszFileName : "";
    fake.Record(Call("mmioOpenA", path.substr(path.find_last_of('\\') + 1), fake.Describe(pInfo), Hex(dwOpenFlags)));
    HMMIO hFile = ::mmioOpenA(pszFileName, pInfo, dwOpenFlags);
    if (hFile) {
        fake.openFiles[hFile] = "File" + std::to_string(++fake.nFilesOpened);
    }
    return hFile;
}

MMRESULT WINAPI FakeMmioClose(HMMIO hFile, UINT uFlags)
{
    FakePlatform& fake = *s_pInstalled;
    auto it = fake.openFiles.find(hFile);
    fake.Record(Call("mmioClose", it == fake.openFiles.end() ? "unknown file" : it->second, uFlags));
    if (it != fake.openFiles.end()) {
        fake.openFiles.erase(it);
    }
    return ::mmioClose(hFile, uFlags);
}

}  // namespace

HRESULT FakeBase::Log(const std::string& call, const std::string& key) const
{
    m_platform.Record((m_refs ? "" : "RELEASED ") + m_name + "." + call);
    std::string kind = m_name.substr(0, m_name.find_first_of("0123456789"));
    return m_platform.Answer(kind + "." + key);
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::GetStatus(LPDWORD pdwStatus)
{
    HRESULT hr = Log("GetStatus()", "GetStatus");
    if (SUCCEEDED(hr)) {
        *pdwStatus = dwStatus;
    }
    return hr;
}

// Like DirectSound: the lock starts at the write cursor and wraps to the buffer's start.
// An overreaching lock's last part runs on past the bytes asked for: into the guard
// bytes, or over the start of the first part.
HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppPart1, LPDWORD pdwPart1,
                                                LPVOID* ppPart2, LPDWORD pdwPart2, DWORD dwFlags)
{
    HRESULT hr = Log(Call("Lock", dwOffset, dwBytes, dwFlags), "Lock");
    if (FAILED(hr)) {
        return hr;
    }
    if (dwBytes > m_dwBytes) {
        return DSERR_INVALIDPARAM;
    }
    DWORD dwStart = dwFlags & DSBLOCK_FROMWRITECURSOR ? m_dwWriteCursor : dwOffset;
    *pdwPart1 = std::min<DWORD>(dwBytes, m_dwBytes - dwStart);
    *ppPart1 = bytes.data() + dwStart;
    *pdwPart2 = dwBytes - *pdwPart1;
    *ppPart2 = *pdwPart2 ? bytes.data() : nullptr;
    *(*pdwPart2 ? pdwPart2 : pdwPart1) += m_dwLockOverreach;
    return hr;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Play(DWORD dwReserved1, DWORD dwReserved2, DWORD dwFlags)
{
    HRESULT hr = Log(Call("Play", dwReserved1, dwReserved2, dwFlags), "Play");
    if (SUCCEEDED(hr)) {
        dwStatus = DSBSTATUS_PLAYING | (dwFlags & DSBPLAY_LOOPING ? DSBSTATUS_LOOPING : 0);
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetCurrentPosition(DWORD dwPosition)
{
    return Log(Call("SetCurrentPosition", dwPosition), "SetCurrentPosition");
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetVolume(LONG lVolume)
{
    return Log(Call("SetVolume", lVolume), "SetVolume");
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetPan(LONG lPan)
{
    return Log(Call("SetPan", lPan), "SetPan");
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetFrequency(DWORD dwFrequency)
{
    return Log(Call("SetFrequency", dwFrequency), "SetFrequency");
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Stop()
{
    dwStatus = 0;
    return Log("Stop()", "Stop");
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Unlock(LPVOID pPart1, DWORD dwPart1, LPVOID pPart2, DWORD dwPart2)
{
    BYTE* pStart = bytes.data();
    return Log(Call("Unlock", static_cast<BYTE*>(pPart1) - pStart, dwPart1,
                    pPart2 ? static_cast<BYTE*>(pPart2) - pStart : -1, dwPart2),
               "Unlock");
}

// Like DirectSound, no empty buffer is made.
HRESULT STDMETHODCALLTYPE FakeDirectSound::CreateSoundBuffer(LPCDSBUFFERDESC pDesc, LPLPDIRECTSOUNDBUFFER ppBuffer,
                                                             IUnknown* pOuter)
{
    HRESULT hr = Log(Call("CreateSoundBuffer", m_platform.Describe(pDesc), m_platform.Describe(ppBuffer),
                          m_platform.Describe(pOuter)),
                     "CreateSoundBuffer");
    if (m_platform.onCreateSoundBuffer) {
        m_platform.onCreateSoundBuffer();
    }
    m_platform.bufferDesc = BytesOf(pDesc, sizeof *pDesc);
    m_platform.bufferFormat = BytesOf(pDesc->lpwfxFormat, sizeof(WAVEFORMATEX));
    if (SUCCEEDED(hr) && (pDesc->dwBufferBytes == 0 || pDesc->dwBufferBytes > DSBSIZE_MAX)) {
        hr = DSERR_INVALIDPARAM;
    } else if (SUCCEEDED(hr) && pDesc->dwBufferBytes > m_platform.dwMaxBufferBytes) {
        hr = DSERR_OUTOFMEMORY;
    }
    *ppBuffer = SUCCEEDED(hr) ? m_platform.Make<FakeSoundBuffer>("Buffer", pDesc->dwBufferBytes,
                                                                 m_platform.dwNextWriteCursor,
                                                                 m_platform.dwNextLockOverreach)
                              : static_cast<LPDIRECTSOUNDBUFFER>(FakePlatform::Poison());
    return hr;
}

HRESULT STDMETHODCALLTYPE FakeDirectSound::SetCooperativeLevel(HWND hWnd, DWORD dwLevel)
{
    return Log(Call("SetCooperativeLevel", m_platform.Describe(hWnd), dwLevel), "SetCooperativeLevel");
}

HRESULT STDMETHODCALLTYPE FakeSegment::SetParam(REFGUID guidType, DWORD dwGroupBits, DWORD dwIndex,
                                                MUSIC_TIME mtTime, void* pParam)
{
    std::string strType = FakePlatform::Describe(guidType);
    return Log(Call("SetParam", strType, Hex(dwGroupBits), dwIndex, mtTime, m_platform.Describe(pParam)),
               "SetParam " + strType);
}

HRESULT STDMETHODCALLTYPE FakeLoader::GetObject(LPDMUS_OBJECTDESC pDesc, REFIID iid, LPVOID* ppObject)
{
    HRESULT hr = Log(Call("GetObject", "desc", FakePlatform::Describe(iid)), "GetObject");
    m_platform.objectDesc = BytesOf(pDesc, sizeof *pDesc);
    *ppObject = SUCCEEDED(hr) ? static_cast<IDirectMusicSegment*>(m_platform.Make<FakeSegment>("Segment"))
                              : FakePlatform::Poison();
    return hr;
}

HRESULT STDMETHODCALLTYPE FakeLoader::SetSearchDirectory(REFGUID guidClass, WCHAR* pwszPath, WINBOOL fClear)
{
    m_platform.searchFolder = pwszPath ? pwszPath : L"";
    return Log(Call("SetSearchDirectory", FakePlatform::Describe(guidClass), Narrow(pwszPath), fClear),
               "SetSearchDirectory");
}

HRESULT STDMETHODCALLTYPE FakePerformance::Init(IDirectMusic** ppDirectMusic, LPDIRECTSOUND pDirectSound, HWND hWnd)
{
    return Log(Call("Init", m_platform.Describe(ppDirectMusic), m_platform.Describe(pDirectSound),
                    m_platform.Describe(hWnd)),
               "Init");
}

HRESULT STDMETHODCALLTYPE FakePerformance::PlaySegment(IDirectMusicSegment* pSegment, DWORD dwFlags,
                                                       __int64 i64StartTime,
                                                       IDirectMusicSegmentState** ppSegmentState)
{
    HRESULT hr = Log(Call("PlaySegment", m_platform.Describe(pSegment), dwFlags, i64StartTime,
                          m_platform.Describe(ppSegmentState)),
                     "PlaySegment");
    if (SUCCEEDED(hr)) {
        *ppSegmentState = m_platform.Make<FakeSegmentState>("State");
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE FakePerformance::Stop(IDirectMusicSegment* pSegment,
                                                IDirectMusicSegmentState* pSegmentState, MUSIC_TIME mtTime,
                                                DWORD dwFlags)
{
    return Log(Call("Stop", m_platform.Describe(pSegment), m_platform.Describe(pSegmentState), mtTime, dwFlags),
               "Stop");
}

HRESULT STDMETHODCALLTYPE FakePerformance::IsPlaying(IDirectMusicSegment* pSegment,
                                                     IDirectMusicSegmentState* pSegState)
{
    return Log(Call("IsPlaying", m_platform.Describe(pSegment), m_platform.Describe(pSegState)), "IsPlaying");
}

HRESULT STDMETHODCALLTYPE FakePerformance::AddPort(IDirectMusicPort* pPort)
{
    return Log(Call("AddPort", m_platform.Describe(pPort)), "AddPort");
}

HRESULT STDMETHODCALLTYPE FakePerformance::CloseDown()
{
    return Log("CloseDown()", "CloseDown");
}

FakePlatform::FakePlatform() : m_saved(g_mediaPlatform)
{
    s_pInstalled = this;
    g_mediaPlatform.DirectSoundCreate = &FakeDirectSoundCreate;
    g_mediaPlatform.CoInitialize = &FakeCoInitialize;
    g_mediaPlatform.CoUninitialize = &FakeCoUninitialize;
    g_mediaPlatform.CoCreateInstance = &FakeCoCreateInstance;
    g_mediaPlatform.GetCwd = &FakeGetCwd;
    g_mediaPlatform.mmioOpenA = &FakeMmioOpenA;
    g_mediaPlatform.mmioClose = &FakeMmioClose;
}

FakePlatform::~FakePlatform()
{
    g_mediaPlatform = m_saved;
    s_pInstalled = nullptr;
}

HRESULT FakePlatform::Answer(const std::string& key) const
{
    auto it = answers.find(key);
    return it == answers.end() ? S_OK : it->second;
}

std::string FakePlatform::Describe(const void* p) const
{
    if (!p) {
        return "null";
    }
    if (p == hWnd) {
        return "hwnd";
    }
    const std::pair<const void*, const char*> globals[] = {
        {&g_pDirectSound, "&g_pDirectSound"}, {&g_pPerformance, "&g_pPerformance"}, {&g_pLoader, "&g_pLoader"},
        {&g_waveBufferDesc, "&g_waveBufferDesc"}, {g_pPerformance, "g_pPerformance"},
    };
    for (const auto& global : globals) {
        if (p == global.first) {
            return global.second;
        }
    }
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        if (p == &g_waveSlots[i].pBuffer) {
            return "&g_waveSlots[" + std::to_string(i) + "].pBuffer";
        }
    }
    for (int i = 0; i < MIDI_SLOT_COUNT; ++i) {
        if (p == &g_midiSlots[i].pSegmentState) {
            return "&g_midiSlots[" + std::to_string(i) + "].pSegmentState";
        }
    }
    for (const auto& object : m_objects) {
        if (p == object->Interface()) {
            return object->Name();
        }
    }
    return Hex(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(p)));
}

std::string FakePlatform::Describe(REFGUID guid)
{
    const std::pair<const GUID*, const char*> known[] = {
        {&CLSID_DirectMusicPerformance, "CLSID_DirectMusicPerformance"},
        {&CLSID_DirectMusicLoader, "CLSID_DirectMusicLoader"},
        {&IID_IDirectMusicPerformance, "IID_IDirectMusicPerformance"},
        {&IID_IDirectMusicLoader, "IID_IDirectMusicLoader"},
        {&IID_IDirectMusicSegment, "IID_IDirectMusicSegment"},
        {&GUID_DirectMusicAllTypes, "GUID_DirectMusicAllTypes"},
        {&GUID_StandardMIDIFile, "GUID_StandardMIDIFile"},
        {&GUID_Download, "GUID_Download"},
        {&GUID_Unload, "GUID_Unload"},
    };
    for (const auto& entry : known) {
        if (IsEqualGUID(guid, *entry.first)) {
            return entry.second;
        }
    }
    return "unknown GUID";
}

std::vector<std::string> FakePlatform::Unreleased() const
{
    std::vector<std::string> names;
    for (const auto& object : m_objects) {
        if (object->Refs()) {
            names.push_back(object->Name());
        }
    }
    for (const auto& file : openFiles) {
        names.push_back(file.second);
    }
    return names;
}
