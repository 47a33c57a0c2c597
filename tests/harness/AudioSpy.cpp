#include "AudioSpy.h"
#include "MediaLib.h"
#include <map>
#include <string>

namespace {

CallLog* g_pLog = nullptr;
// The segment that sounds, as the library holds it; null when none does.
IDirectMusicSegment* g_pSounding = nullptr;

// Every live wrapper, to the real object behind it. The platform is only ever
// handed real objects: a wrapper that the library passes back is unwrapped first.
std::map<const void*, void*>& Wrapped()
{
    static std::map<const void*, void*> wrapped;
    return wrapped;
}

template <class T>
T* Real(T* p)
{
    auto it = Wrapped().find(p);
    return it == Wrapped().end() ? p : static_cast<T*>(it->second);
}

void Log(const std::string& call)
{
    if (g_pLog != nullptr)
        g_pLog->Add(call);
}

// Passes every call on to the real object and writes it to the log as "name.method".
template <class I>
class Wrapper : public I {
public:
    Wrapper(I* pReal, REFIID iid, std::string name) : m_pReal(pReal), m_iid(iid), m_name(std::move(name))
    {
        Wrapped()[static_cast<I*>(this)] = pReal;
    }
    virtual ~Wrapper()
    {
        Wrapped().erase(static_cast<I*>(this));
        m_pReal->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        if (iid != IID_IUnknown && iid != m_iid)
            return m_pReal->QueryInterface(iid, ppv);
        *ppv = static_cast<I*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        Called("AddRef");
        return ++m_refs;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        Called("Release");
        ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }

    const std::string& Name() const { return m_name; }

protected:
    void Called(const std::string& call) const { Log(m_name + "." + call); }

    I* m_pReal;

private:
    IID m_iid;
    std::string m_name;
    ULONG m_refs = 1;
};

#define PASS(method, params, args)                       \
    HRESULT STDMETHODCALLTYPE method params override     \
    {                                                    \
        Called(#method);                                 \
        return m_pReal->method args;                     \
    }

class BufferSpy : public Wrapper<IDirectSoundBuffer> {
public:
    explicit BufferSpy(IDirectSoundBuffer* pReal) : Wrapper(pReal, IID_IDirectSoundBuffer, "Buffer") {}

    PASS(GetCaps, (LPDSBCAPS a), (a))
    PASS(GetCurrentPosition, (LPDWORD a, LPDWORD b), (a, b))
    PASS(GetFormat, (LPWAVEFORMATEX a, DWORD b, LPDWORD c), (a, b, c))
    PASS(GetVolume, (LPLONG a), (a))
    PASS(GetPan, (LPLONG a), (a))
    PASS(GetFrequency, (LPDWORD a), (a))
    PASS(GetStatus, (LPDWORD a), (a))
    PASS(Initialize, (LPDIRECTSOUND a, LPCDSBUFFERDESC b), (Real(a), b))
    PASS(Lock, (DWORD a, DWORD b, LPVOID* c, LPDWORD d, LPVOID* e, LPDWORD f, DWORD g), (a, b, c, d, e, f, g))
    PASS(Play, (DWORD a, DWORD b, DWORD c), (a, b, c))
    PASS(SetCurrentPosition, (DWORD a), (a))
    PASS(SetFormat, (LPCWAVEFORMATEX a), (a))
    PASS(SetVolume, (LONG a), (a))
    PASS(SetPan, (LONG a), (a))
    PASS(SetFrequency, (DWORD a), (a))
    PASS(Stop, (), ())
    PASS(Unlock, (LPVOID a, DWORD b, LPVOID c, DWORD d), (a, b, c, d))
    PASS(Restore, (), ())
};

class SoundSpy : public Wrapper<IDirectSound> {
public:
    explicit SoundSpy(IDirectSound* pReal) : Wrapper(pReal, IID_IDirectSound, "DirectSound") {}

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC pDesc, LPLPDIRECTSOUNDBUFFER ppBuffer,
                                                IUnknown* pOuter) override
    {
        Called("CreateSoundBuffer");
        HRESULT hr = m_pReal->CreateSoundBuffer(pDesc, ppBuffer, pOuter);
        if (SUCCEEDED(hr) && *ppBuffer != nullptr)
            *ppBuffer = new BufferSpy(*ppBuffer);
        return hr;
    }
    PASS(GetCaps, (LPDSCAPS a), (a))
    PASS(DuplicateSoundBuffer, (LPDIRECTSOUNDBUFFER a, LPLPDIRECTSOUNDBUFFER b), (Real(a), b))
    PASS(SetCooperativeLevel, (HWND a, DWORD b), (a, b))
    PASS(Compact, (), ())
    PASS(GetSpeakerConfig, (LPDWORD a), (a))
    PASS(SetSpeakerConfig, (DWORD a), (a))
    PASS(Initialize, (LPCGUID a), (a))
};

// A segment is named after the file it was loaded from.
class SegmentSpy : public Wrapper<IDirectMusicSegment> {
public:
    SegmentSpy(IDirectMusicSegment* pReal, std::string file)
        : Wrapper(pReal, IID_IDirectMusicSegment, std::move(file)) {}

    // The performance it is given is the real one behind the library's.
    HRESULT STDMETHODCALLTYPE SetParam(REFGUID guid, DWORD dwGroups, DWORD dwIndex, MUSIC_TIME mt,
                                       void* pParam) override
    {
        Called("SetParam(" + ParamName(guid) + ")");
        auto it = Wrapped().find(pParam);
        return m_pReal->SetParam(guid, dwGroups, dwIndex, mt, it == Wrapped().end() ? pParam : it->second);
    }
    PASS(GetLength, (MUSIC_TIME* a), (a))
    PASS(SetLength, (MUSIC_TIME a), (a))
    PASS(GetRepeats, (DWORD* a), (a))
    PASS(SetRepeats, (DWORD a), (a))
    PASS(GetDefaultResolution, (DWORD* a), (a))
    PASS(SetDefaultResolution, (DWORD a), (a))
    PASS(GetTrack, (REFGUID a, DWORD b, DWORD c, IDirectMusicTrack** d), (a, b, c, d))
    PASS(GetTrackGroup, (IDirectMusicTrack* a, DWORD* b), (a, b))
    PASS(InsertTrack, (IDirectMusicTrack* a, DWORD b), (a, b))
    PASS(RemoveTrack, (IDirectMusicTrack* a), (a))
    PASS(InitPlay, (IDirectMusicSegmentState** a, IDirectMusicPerformance* b, DWORD c), (a, Real(b), c))
    PASS(GetGraph, (IDirectMusicGraph** a), (a))
    PASS(SetGraph, (IDirectMusicGraph* a), (a))
    PASS(AddNotificationType, (REFGUID a), (a))
    PASS(RemoveNotificationType, (REFGUID a), (a))
    PASS(GetParam, (REFGUID a, DWORD b, DWORD c, MUSIC_TIME d, MUSIC_TIME* e, void* f), (a, b, c, d, e, f))
    PASS(Clone, (MUSIC_TIME a, MUSIC_TIME b, IDirectMusicSegment** c), (a, b, c))
    PASS(SetStartPoint, (MUSIC_TIME a), (a))
    PASS(GetStartPoint, (MUSIC_TIME* a), (a))
    PASS(SetLoopPoints, (MUSIC_TIME a, MUSIC_TIME b), (a, b))
    PASS(GetLoopPoints, (MUSIC_TIME* a, MUSIC_TIME* b), (a, b))
    PASS(SetPChannelsUsed, (DWORD a, DWORD* b), (a, b))

private:
    static std::string ParamName(REFGUID guid)
    {
        if (guid == GUID_Unload)
            return "Unload";
        if (guid == GUID_Download)
            return "Download";
        return guid == GUID_StandardMIDIFile ? "StandardMIDIFile" : "other";
    }
};

std::string NameOf(IDirectMusicSegment* pSegment)
{
    if (pSegment == nullptr)
        return "all";
    return Wrapped().count(pSegment) ? static_cast<SegmentSpy*>(pSegment)->Name() : HandleText(pSegment);
}

class LoaderSpy : public Wrapper<IDirectMusicLoader> {
public:
    explicit LoaderSpy(IDirectMusicLoader* pReal) : Wrapper(pReal, IID_IDirectMusicLoader, "Loader") {}

    HRESULT STDMETHODCALLTYPE GetObject(LPDMUS_OBJECTDESC pDesc, REFIID iid, LPVOID* ppObject) override
    {
        Called("GetObject");
        HRESULT hr = m_pReal->GetObject(pDesc, iid, ppObject);
        if (SUCCEEDED(hr) && *ppObject != nullptr && iid == IID_IDirectMusicSegment)
            *ppObject = static_cast<IDirectMusicSegment*>(
                new SegmentSpy(static_cast<IDirectMusicSegment*>(*ppObject), FileOf(*pDesc)));
        return hr;
    }
    PASS(SetObject, (LPDMUS_OBJECTDESC a), (a))
    PASS(SetSearchDirectory, (REFGUID a, WCHAR* b, WINBOOL c), (a, b, c))
    PASS(ScanDirectory, (REFGUID a, WCHAR* b, WCHAR* c), (a, b, c))
    PASS(CacheObject, (IDirectMusicObject* a), (a))
    PASS(ReleaseObject, (IDirectMusicObject* a), (a))
    PASS(ClearCache, (REFGUID a), (a))
    PASS(EnableCache, (REFGUID a, WINBOOL b), (a, b))
    PASS(EnumObject, (REFGUID a, DWORD b, LPDMUS_OBJECTDESC c), (a, b, c))

private:
    static std::string FileOf(const DMUS_OBJECTDESC& desc)
    {
        char file[MAX_PATH] = "";
        ::WideCharToMultiByte(CP_ACP, 0, desc.wszFileName, -1, file, sizeof file, nullptr, nullptr);
        return file;
    }
};

class PerformanceSpy : public Wrapper<IDirectMusicPerformance> {
public:
    explicit PerformanceSpy(IDirectMusicPerformance* pReal)
        : Wrapper(pReal, IID_IDirectMusicPerformance, "Performance") {}

    HRESULT STDMETHODCALLTYPE PlaySegment(IDirectMusicSegment* pSegment, DWORD dwFlags, __int64 i64Start,
                                          IDirectMusicSegmentState** ppState) override
    {
        Called("PlaySegment(" + NameOf(pSegment) + ")");
        g_pSounding = pSegment;
        return m_pReal->PlaySegment(Real(pSegment), dwFlags, i64Start, ppState);
    }
    HRESULT STDMETHODCALLTYPE Stop(IDirectMusicSegment* pSegment, IDirectMusicSegmentState* pState,
                                   MUSIC_TIME mt, DWORD dwFlags) override
    {
        Called("Stop(" + NameOf(pSegment) + ")");
        if (pSegment == nullptr || pSegment == g_pSounding)
            g_pSounding = nullptr;
        return m_pReal->Stop(Real(pSegment), pState, mt, dwFlags);
    }
    HRESULT STDMETHODCALLTYPE IsPlaying(IDirectMusicSegment* pSegment, IDirectMusicSegmentState*) override
    {
        Called("IsPlaying(" + NameOf(pSegment) + ")");
        return pSegment != nullptr && pSegment == g_pSounding ? S_OK : S_FALSE;
    }
    PASS(Init, (IDirectMusic** a, LPDIRECTSOUND b, HWND c), (a, Real(b), c))
    PASS(GetSegmentState, (IDirectMusicSegmentState** a, MUSIC_TIME b), (a, b))
    PASS(SetPrepareTime, (DWORD a), (a))
    PASS(GetPrepareTime, (DWORD* a), (a))
    PASS(SetBumperLength, (DWORD a), (a))
    PASS(GetBumperLength, (DWORD* a), (a))
    PASS(SendPMsg, (DMUS_PMSG* a), (a))
    PASS(MusicToReferenceTime, (MUSIC_TIME a, REFERENCE_TIME* b), (a, b))
    PASS(ReferenceToMusicTime, (REFERENCE_TIME a, MUSIC_TIME* b), (a, b))
    PASS(GetTime, (REFERENCE_TIME* a, MUSIC_TIME* b), (a, b))
    PASS(AllocPMsg, (ULONG a, DMUS_PMSG** b), (a, b))
    PASS(FreePMsg, (DMUS_PMSG* a), (a))
    PASS(GetGraph, (IDirectMusicGraph** a), (a))
    PASS(SetGraph, (IDirectMusicGraph* a), (a))
    PASS(SetNotificationHandle, (HANDLE a, REFERENCE_TIME b), (a, b))
    PASS(GetNotificationPMsg, (DMUS_NOTIFICATION_PMSG** a), (a))
    PASS(AddNotificationType, (REFGUID a), (a))
    PASS(RemoveNotificationType, (REFGUID a), (a))
    PASS(AddPort, (IDirectMusicPort* a), (a))
    PASS(RemovePort, (IDirectMusicPort* a), (a))
    PASS(AssignPChannelBlock, (DWORD a, IDirectMusicPort* b, DWORD c), (a, b, c))
    PASS(AssignPChannel, (DWORD a, IDirectMusicPort* b, DWORD c, DWORD d), (a, b, c, d))
    PASS(PChannelInfo, (DWORD a, IDirectMusicPort** b, DWORD* c, DWORD* d), (a, b, c, d))
    PASS(DownloadInstrument,
         (IDirectMusicInstrument* a, DWORD b, IDirectMusicDownloadedInstrument** c, DMUS_NOTERANGE* d, DWORD e,
          IDirectMusicPort** f, DWORD* g, DWORD* h),
         (a, b, c, d, e, f, g, h))
    PASS(Invalidate, (MUSIC_TIME a, DWORD b), (a, b))
    PASS(GetParam, (REFGUID a, DWORD b, DWORD c, MUSIC_TIME d, MUSIC_TIME* e, void* f), (a, b, c, d, e, f))
    PASS(SetParam, (REFGUID a, DWORD b, DWORD c, MUSIC_TIME d, void* e), (a, b, c, d, e))
    PASS(GetGlobalParam, (REFGUID a, void* b, DWORD c), (a, b, c))
    PASS(SetGlobalParam, (REFGUID a, void* b, DWORD c), (a, b, c))
    PASS(GetLatencyTime, (REFERENCE_TIME* a), (a))
    PASS(GetQueueTime, (REFERENCE_TIME* a), (a))
    PASS(AdjustTime, (REFERENCE_TIME a), (a))
    PASS(CloseDown, (), ())
    PASS(GetResolvedTime, (REFERENCE_TIME a, REFERENCE_TIME* b, DWORD c), (a, b, c))
    PASS(MIDIToMusic, (BYTE a, DMUS_CHORD_KEY* b, BYTE c, BYTE d, WORD* e), (a, b, c, d, e))
    PASS(MusicToMIDI, (WORD a, DMUS_CHORD_KEY* b, BYTE c, BYTE d, BYTE* e), (a, b, c, d, e))
    PASS(TimeToRhythm, (MUSIC_TIME a, DMUS_TIMESIGNATURE* b, WORD* c, BYTE* d, BYTE* e, short* f),
         (a, b, c, d, e, f))
    PASS(RhythmToTime, (WORD a, BYTE b, BYTE c, short d, DMUS_TIMESIGNATURE* e, MUSIC_TIME* f), (a, b, c, d, e, f))
};

#undef PASS

HRESULT WINAPI CreateWatchedDirectSound(LPCGUID pGuid, LPDIRECTSOUND* ppDS, LPUNKNOWN pOuter)
{
    HRESULT hr = RealMediaPlatform().DirectSoundCreate(pGuid, ppDS, pOuter);
    if (SUCCEEDED(hr) && *ppDS != nullptr)
        *ppDS = new SoundSpy(*ppDS);
    return hr;
}

HRESULT WINAPI CreateWatchedInstance(REFCLSID clsid, LPUNKNOWN pOuter, DWORD dwContext, REFIID iid, LPVOID* ppv)
{
    HRESULT hr = RealMediaPlatform().CoCreateInstance(clsid, pOuter, dwContext, iid, ppv);
    if (FAILED(hr) || *ppv == nullptr)
        return hr;
    if (iid == IID_IDirectMusicPerformance)
        *ppv = static_cast<IDirectMusicPerformance*>(new PerformanceSpy(static_cast<IDirectMusicPerformance*>(*ppv)));
    else if (iid == IID_IDirectMusicLoader)
        *ppv = static_cast<IDirectMusicLoader*>(new LoaderSpy(static_cast<IDirectMusicLoader*>(*ppv)));
    return hr;
}

}  // namespace

AudioSpy::AudioSpy(CallLog& log) : m_saved(g_mediaPlatform)
{
    g_pLog = &log;
    g_pSounding = nullptr;
    g_mediaPlatform.DirectSoundCreate = &CreateWatchedDirectSound;
    g_mediaPlatform.CoCreateInstance = &CreateWatchedInstance;
}

AudioSpy::~AudioSpy()
{
    g_mediaPlatform = m_saved;
    g_pLog = nullptr;
}

void AudioSpy::EndSong()
{
    g_pSounding = nullptr;
}
