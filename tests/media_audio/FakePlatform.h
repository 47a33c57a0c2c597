// Recording fakes of DirectSound, DirectMusic and COM: every call the library makes
// goes into one shared log, written like the call itself with its arguments, and
// any call can be told to answer with another result.
#pragma once
#include "MediaLib.h"
#include "MediaPlatform.h"
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FakePlatform;

// What the platform keeps of every fake object, whatever its interface.
class FakeBase {
public:
    FakeBase(FakePlatform& platform, std::string name) : m_platform(platform), m_name(std::move(name)) {}
    virtual ~FakeBase() = default;
    // The address the library holds the object by.
    virtual const void* Interface() const = 0;

    const std::string& Name() const { return m_name; }
    ULONG Refs() const { return m_refs; }

protected:
    // Logs "Name.call", or "RELEASED Name.call" on an object without references,
    // and gives the answer set for "kind.key" (see FakePlatform::answers).
    HRESULT Log(const std::string& call, const std::string& key) const;

    FakePlatform& m_platform;
    std::string m_name;
    ULONG m_refs = 1;
};

template <class I>
class FakeObject : public I, public FakeBase {
public:
    using FakeBase::FakeBase;

    const void* Interface() const override { return static_cast<const I*>(this); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        Log("AddRef()", "AddRef");
        return ++m_refs;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        Log("Release()", "Release");
        return m_refs ? --m_refs : 0;
    }
};

#define FAKE_NOT_USED(method, ...) \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return E_NOTIMPL; }

class FakeSoundBuffer : public FakeObject<IDirectSoundBuffer> {
public:
    // Guard bytes follow the buffer's own when its lock overreaches.
    static constexpr BYTE GUARD = 0xEE;

    FakeSoundBuffer(FakePlatform& platform, std::string name, DWORD dwBytes, DWORD dwWriteCursor,
                    DWORD dwLockOverreach)
        : FakeObject(platform, std::move(name)),
          bytes(dwBytes + dwLockOverreach, GUARD),
          m_dwBytes(dwBytes),
          m_dwWriteCursor(dwWriteCursor),
          m_dwLockOverreach(dwLockOverreach)
    {
        std::fill(bytes.begin(), bytes.begin() + dwBytes, 0);
    }

    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD pdwStatus) override;
    HRESULT STDMETHODCALLTYPE Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppPart1, LPDWORD pdwPart1,
                                   LPVOID* ppPart2, LPDWORD pdwPart2, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD dwReserved1, DWORD dwReserved2, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD dwPosition) override;
    HRESULT STDMETHODCALLTYPE SetVolume(LONG lVolume) override;
    HRESULT STDMETHODCALLTYPE SetPan(LONG lPan) override;
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD dwFrequency) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID pPart1, DWORD dwPart1, LPVOID pPart2, DWORD dwPart2) override;
    FAKE_NOT_USED(GetCaps, LPDSBCAPS)
    FAKE_NOT_USED(GetCurrentPosition, LPDWORD, LPDWORD)
    FAKE_NOT_USED(GetFormat, LPWAVEFORMATEX, DWORD, LPDWORD)
    FAKE_NOT_USED(GetVolume, LPLONG)
    FAKE_NOT_USED(GetPan, LPLONG)
    FAKE_NOT_USED(GetFrequency, LPDWORD)
    FAKE_NOT_USED(Initialize, LPDIRECTSOUND, LPCDSBUFFERDESC)
    FAKE_NOT_USED(SetFormat, LPCWAVEFORMATEX)
    FAKE_NOT_USED(Restore)

    // The buffer's bytes in their order in the buffer, then the guard bytes.
    std::vector<BYTE> bytes;
    DWORD dwStatus = 0;

private:
    DWORD m_dwBytes;
    DWORD m_dwWriteCursor;
    DWORD m_dwLockOverreach;
};

class FakeDirectSound : public FakeObject<IDirectSound> {
public:
    using FakeObject::FakeObject;

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC pDesc, LPLPDIRECTSOUNDBUFFER ppBuffer,
                                                IUnknown* pOuter) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND hWnd, DWORD dwLevel) override;
    FAKE_NOT_USED(GetCaps, LPDSCAPS)
    FAKE_NOT_USED(DuplicateSoundBuffer, LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER)
    FAKE_NOT_USED(Compact)
    FAKE_NOT_USED(GetSpeakerConfig, LPDWORD)
    FAKE_NOT_USED(SetSpeakerConfig, DWORD)
    FAKE_NOT_USED(Initialize, LPCGUID)
};

class FakeSegment : public FakeObject<IDirectMusicSegment> {
public:
    using FakeObject::FakeObject;

    HRESULT STDMETHODCALLTYPE SetParam(REFGUID guidType, DWORD dwGroupBits, DWORD dwIndex, MUSIC_TIME mtTime,
                                       void* pParam) override;
    FAKE_NOT_USED(GetLength, MUSIC_TIME*)
    FAKE_NOT_USED(SetLength, MUSIC_TIME)
    FAKE_NOT_USED(GetRepeats, DWORD*)
    FAKE_NOT_USED(SetRepeats, DWORD)
    FAKE_NOT_USED(GetDefaultResolution, DWORD*)
    FAKE_NOT_USED(SetDefaultResolution, DWORD)
    FAKE_NOT_USED(GetTrack, REFGUID, DWORD, DWORD, IDirectMusicTrack**)
    FAKE_NOT_USED(GetTrackGroup, IDirectMusicTrack*, DWORD*)
    FAKE_NOT_USED(InsertTrack, IDirectMusicTrack*, DWORD)
    FAKE_NOT_USED(RemoveTrack, IDirectMusicTrack*)
    FAKE_NOT_USED(InitPlay, IDirectMusicSegmentState**, IDirectMusicPerformance*, DWORD)
    FAKE_NOT_USED(GetGraph, IDirectMusicGraph**)
    FAKE_NOT_USED(SetGraph, IDirectMusicGraph*)
    FAKE_NOT_USED(AddNotificationType, REFGUID)
    FAKE_NOT_USED(RemoveNotificationType, REFGUID)
    FAKE_NOT_USED(GetParam, REFGUID, DWORD, DWORD, MUSIC_TIME, MUSIC_TIME*, void*)
    FAKE_NOT_USED(Clone, MUSIC_TIME, MUSIC_TIME, IDirectMusicSegment**)
    FAKE_NOT_USED(SetStartPoint, MUSIC_TIME)
    FAKE_NOT_USED(GetStartPoint, MUSIC_TIME*)
    FAKE_NOT_USED(SetLoopPoints, MUSIC_TIME, MUSIC_TIME)
    FAKE_NOT_USED(GetLoopPoints, MUSIC_TIME*, MUSIC_TIME*)
    FAKE_NOT_USED(SetPChannelsUsed, DWORD, DWORD*)
};

class FakeSegmentState : public FakeObject<IDirectMusicSegmentState> {
public:
    using FakeObject::FakeObject;

    FAKE_NOT_USED(GetRepeats, DWORD*)
    FAKE_NOT_USED(GetSegment, IDirectMusicSegment**)
    FAKE_NOT_USED(GetStartTime, MUSIC_TIME*)
    FAKE_NOT_USED(GetSeek, MUSIC_TIME*)
    FAKE_NOT_USED(GetStartPoint, MUSIC_TIME*)
};

class FakeLoader : public FakeObject<IDirectMusicLoader> {
public:
    using FakeObject::FakeObject;

    HRESULT STDMETHODCALLTYPE GetObject(LPDMUS_OBJECTDESC pDesc, REFIID iid, LPVOID* ppObject) override;
    HRESULT STDMETHODCALLTYPE SetSearchDirectory(REFGUID guidClass, WCHAR* pwszPath, WINBOOL fClear) override;
    FAKE_NOT_USED(SetObject, LPDMUS_OBJECTDESC)
    FAKE_NOT_USED(ScanDirectory, REFGUID, WCHAR*, WCHAR*)
    FAKE_NOT_USED(CacheObject, IDirectMusicObject*)
    FAKE_NOT_USED(ReleaseObject, IDirectMusicObject*)
    FAKE_NOT_USED(ClearCache, REFGUID)
    FAKE_NOT_USED(EnableCache, REFGUID, WINBOOL)
    FAKE_NOT_USED(EnumObject, REFGUID, DWORD, LPDMUS_OBJECTDESC)
};

class FakePerformance : public FakeObject<IDirectMusicPerformance> {
public:
    using FakeObject::FakeObject;

    HRESULT STDMETHODCALLTYPE Init(IDirectMusic** ppDirectMusic, LPDIRECTSOUND pDirectSound, HWND hWnd) override;
    HRESULT STDMETHODCALLTYPE PlaySegment(IDirectMusicSegment* pSegment, DWORD dwFlags, __int64 i64StartTime,
                                          IDirectMusicSegmentState** ppSegmentState) override;
    HRESULT STDMETHODCALLTYPE Stop(IDirectMusicSegment* pSegment, IDirectMusicSegmentState* pSegmentState,
                                   MUSIC_TIME mtTime, DWORD dwFlags) override;
    HRESULT STDMETHODCALLTYPE IsPlaying(IDirectMusicSegment* pSegment, IDirectMusicSegmentState* pSegState) override;
    HRESULT STDMETHODCALLTYPE AddPort(IDirectMusicPort* pPort) override;
    HRESULT STDMETHODCALLTYPE CloseDown() override;
    FAKE_NOT_USED(GetSegmentState, IDirectMusicSegmentState**, MUSIC_TIME)
    FAKE_NOT_USED(SetPrepareTime, DWORD)
    FAKE_NOT_USED(GetPrepareTime, DWORD*)
    FAKE_NOT_USED(SetBumperLength, DWORD)
    FAKE_NOT_USED(GetBumperLength, DWORD*)
    FAKE_NOT_USED(SendPMsg, DMUS_PMSG*)
    FAKE_NOT_USED(MusicToReferenceTime, MUSIC_TIME, REFERENCE_TIME*)
    FAKE_NOT_USED(ReferenceToMusicTime, REFERENCE_TIME, MUSIC_TIME*)
    FAKE_NOT_USED(GetTime, REFERENCE_TIME*, MUSIC_TIME*)
    FAKE_NOT_USED(AllocPMsg, ULONG, DMUS_PMSG**)
    FAKE_NOT_USED(FreePMsg, DMUS_PMSG*)
    FAKE_NOT_USED(GetGraph, IDirectMusicGraph**)
    FAKE_NOT_USED(SetGraph, IDirectMusicGraph*)
    FAKE_NOT_USED(SetNotificationHandle, HANDLE, REFERENCE_TIME)
    FAKE_NOT_USED(GetNotificationPMsg, DMUS_NOTIFICATION_PMSG**)
    FAKE_NOT_USED(AddNotificationType, REFGUID)
    FAKE_NOT_USED(RemoveNotificationType, REFGUID)
    FAKE_NOT_USED(RemovePort, IDirectMusicPort*)
    FAKE_NOT_USED(AssignPChannelBlock, DWORD, IDirectMusicPort*, DWORD)
    FAKE_NOT_USED(AssignPChannel, DWORD, IDirectMusicPort*, DWORD, DWORD)
    FAKE_NOT_USED(PChannelInfo, DWORD, IDirectMusicPort**, DWORD*, DWORD*)
    FAKE_NOT_USED(DownloadInstrument, IDirectMusicInstrument*, DWORD, IDirectMusicDownloadedInstrument**,
                  DMUS_NOTERANGE*, DWORD, IDirectMusicPort**, DWORD*, DWORD*)
    FAKE_NOT_USED(Invalidate, MUSIC_TIME, DWORD)
    FAKE_NOT_USED(GetParam, REFGUID, DWORD, DWORD, MUSIC_TIME, MUSIC_TIME*, void*)
    FAKE_NOT_USED(SetParam, REFGUID, DWORD, DWORD, MUSIC_TIME, void*)
    FAKE_NOT_USED(GetGlobalParam, REFGUID, void*, DWORD)
    FAKE_NOT_USED(SetGlobalParam, REFGUID, void*, DWORD)
    FAKE_NOT_USED(GetLatencyTime, REFERENCE_TIME*)
    FAKE_NOT_USED(GetQueueTime, REFERENCE_TIME*)
    FAKE_NOT_USED(AdjustTime, REFERENCE_TIME)
    FAKE_NOT_USED(GetResolvedTime, REFERENCE_TIME, REFERENCE_TIME*, DWORD)
    FAKE_NOT_USED(MIDIToMusic, BYTE, DMUS_CHORD_KEY*, BYTE, BYTE, WORD*)
    FAKE_NOT_USED(MusicToMIDI, WORD, DMUS_CHORD_KEY*, BYTE, BYTE, BYTE*)
    FAKE_NOT_USED(TimeToRhythm, MUSIC_TIME, DMUS_TIMESIGNATURE*, WORD*, BYTE*, BYTE*, short*)
    FAKE_NOT_USED(RhythmToTime, WORD, BYTE, BYTE, short, DMUS_TIMESIGNATURE*, MUSIC_TIME*)
};

#undef FAKE_NOT_USED

// The fake platform: while it lives its entry points stand in g_mediaPlatform in
// place of the audio entries (the wave files' opening and closing are the real
// ones, logged), and it owns every object that it and its fakes hand out.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Calls not named here answer S_OK. Keys are the kind and the method, e.g.
    // "Buffer.Lock", "CoCreateInstance CLSID_DirectMusicLoader" or
    // "Segment.SetParam GUID_Download".
    std::map<std::string, HRESULT> answers;
    std::vector<std::string> log;

    std::string cwd = "C:\\songs";
    bool bGetCwdFails = false;
    HWND hWnd = reinterpret_cast<HWND>(0x1230);
    // Where the next buffer's write cursor stands, so that its lock comes in two parts.
    DWORD dwNextWriteCursor = 0;
    // How much longer than asked the last part of the next buffer's lock comes back,
    // as a platform rounding a lock up would hand it; guard bytes lie beyond the buffer.
    DWORD dwNextLockOverreach = 0;
    // Run inside every CreateSoundBuffer, before the buffer is made.
    std::function<void()> onCreateSoundBuffer;
    // The largest buffer the fake makes; larger ones fail as out of memory.
    DWORD dwMaxBufferBytes = 16 * 1024 * 1024;

    // Successful CoInitialize calls less CoUninitialize calls, and the lowest it fell to.
    int nComDepth = 0;
    int nLowestComDepth = 0;

    // The wave files the library holds open, by the names the log gives them.
    std::map<HMMIO, std::string> openFiles;
    int nFilesOpened = 0;

    // The records as the platform was handed them at the last creation of each kind.
    std::vector<BYTE> bufferDesc;
    std::vector<BYTE> bufferFormat;
    std::vector<BYTE> objectDesc;
    // The folder as the loader was handed it at the last SetSearchDirectory.
    std::wstring searchFolder;

    HRESULT Answer(const std::string& key) const;
    void Record(const std::string& call) { log.push_back(call); }

    // How the log shows a pointer or a GUID: by the name of what it stands for.
    std::string Describe(const void* p) const;
    static std::string Describe(REFGUID guid);

    // The names of the objects that still hold references and of the files still
    // open; empty when all were released and closed.
    std::vector<std::string> Unreleased() const;

    template <class T, class... Args>
    T* Make(const std::string& kind, Args... args)
    {
        std::string name = kind + std::to_string(++m_made[kind]);
        m_objects.push_back(std::make_unique<T>(*this, name, args...));
        return static_cast<T*>(m_objects.back().get());
    }

    // What a fake leaves in an out-parameter when it fails: never to be used.
    static void* Poison() { return reinterpret_cast<void*>(0xDEADBEEF); }

private:
    std::vector<std::unique_ptr<FakeBase>> m_objects;
    std::map<std::string, int> m_made;
    MediaPlatform m_saved;
};
