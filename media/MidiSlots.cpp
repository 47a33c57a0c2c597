// Music: a fixed table of DirectMusic segments, each made from one standard MIDI
// file and played as the performance's primary segment.
#include "MediaLib.h"
#include "MediaPlatform.h"
#include <cwchar>

MIDISLOT g_midiSlots[MIDI_SLOT_COUNT];
int g_nActiveMidi = NO_SLOT;

namespace {

#ifdef __i386__  // the 32-bit program's records; a 64-bit build has its own
static_assert(sizeof(DMUS_OBJECTDESC) == 848, "the loader checks dwSize against its own layout");
#endif
static_assert(DMUS_MAX_FILENAME == MAX_PATH, "a converted name is copied whole into wszFileName");

const DWORD ALL_GROUPS = 0xFFFFFFFF;

// Null for an empty slot and for a number outside the table.
MIDISLOT* HeldSlot(int nSlot)
{
    if (nSlot < 0 || nSlot >= MIDI_SLOT_COUNT) {
        return nullptr;
    }
    MIDISLOT& slot = g_midiSlots[nSlot];
    return slot.pSegment && slot.nState != MIDI_FREE ? &slot : nullptr;
}

int FindFreeSlot()
{
    for (int i = 0; i < MIDI_SLOT_COUNT; ++i) {
        if (g_midiSlots[i].nState == MIDI_FREE) {
            return i;
        }
    }
    return NO_SLOT;
}

// A name whose wide form does not fit is refused rather than cut short or left
// unterminated.
bool ToWide(const char* psz, WCHAR (&wsz)[MAX_PATH])
{
    return psz && MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, psz, -1, wsz, MAX_PATH) != 0;
}

// On every load, since the current folder may have changed since the last one.
bool SearchCurrentFolder()
{
    char szFolder[MAX_PATH];
    WCHAR wszFolder[MAX_PATH];
    if (!g_mediaPlatform.GetCwd(szFolder, MAX_PATH) || !ToWide(szFolder, wszFolder)) {
        return false;
    }
    return SUCCEEDED(g_pLoader->SetSearchDirectory(GUID_DirectMusicAllTypes, wszFolder, FALSE));
}

// No full path is given, so the loader looks the name up in its search folder.
IDirectMusicSegment* GetSegment(const WCHAR* wszFile)
{
    DMUS_OBJECTDESC desc;
    ZeroMemory(&desc, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.guidClass = CLSID_DirectMusicSegment;
    std::wcscpy(desc.wszFileName, wszFile);
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
    IDirectMusicSegment* pSegment = nullptr;
    if (FAILED(g_pLoader->GetObject(&desc, IID_IDirectMusicSegment,
                                    reinterpret_cast<void**>(&pSegment)))) {
        return nullptr;
    }
    return pSegment;
}

HRESULT SetPerformanceParam(IDirectMusicSegment* pSegment, REFGUID guidParam)
{
    return pSegment->SetParam(guidParam, ALL_GROUPS, 0, 0, g_pPerformance);
}

// Makes the segment ready to play on the performance, instruments downloaded.
bool PrepareSegment(IDirectMusicSegment* pSegment)
{
    return SUCCEEDED(SetPerformanceParam(pSegment, GUID_StandardMIDIFile)) &&
           SUCCEEDED(SetPerformanceParam(pSegment, GUID_Download));
}

void ReleaseSegmentState(MIDISLOT& slot)
{
    if (slot.pSegmentState) {
        slot.pSegmentState->Release();
        slot.pSegmentState = nullptr;
    }
}

void UnloadSlot(MIDISLOT& slot)
{
    if (!slot.pSegment) {
        return;
    }
    SetPerformanceParam(slot.pSegment, GUID_Unload);
    slot.pSegment->Release();
    slot.pSegment = nullptr;
    ReleaseSegmentState(slot);
    slot.nState = MIDI_FREE;
}

}  // namespace

int CMediaLib::LoadMidi(const char* pszFile)
{
    if (!g_pLoader || !g_pPerformance) {
        return NO_SLOT;
    }
    int nSlot = FindFreeSlot();
    if (nSlot == NO_SLOT || !SearchCurrentFolder()) {
        return NO_SLOT;
    }
    WCHAR wszFile[MAX_PATH];
    if (!ToWide(pszFile, wszFile)) {
        return NO_SLOT;
    }
    IDirectMusicSegment* pSegment = GetSegment(wszFile);
    if (!pSegment) {
        return NO_SLOT;
    }
    if (!PrepareSegment(pSegment)) {
        pSegment->Release();  // nobody else holds it
        return NO_SLOT;
    }
    MIDISLOT& slot = g_midiSlots[nSlot];
    slot.pSegment = pSegment;
    slot.pSegmentState = nullptr;
    slot.nState = MIDI_LOADED;
    return nSlot;
}

BOOL CMediaLib::PlayMidi(int nSlot)
{
    MIDISLOT* pSlot = HeldSlot(nSlot);
    if (!pSlot) {
        return 0;
    }
    if (g_nActiveMidi != NO_SLOT) {
        StopMidi(g_nActiveMidi);
    }
    // The new start hands out a new state in place of the last one.
    ReleaseSegmentState(*pSlot);
    g_pPerformance->PlaySegment(pSlot->pSegment, 0, 0, &pSlot->pSegmentState);
    pSlot->nState = MIDI_PLAYING;
    g_nActiveMidi = nSlot;
    return 1;
}

BOOL CMediaLib::StopMidi(int nSlot)
{
    MIDISLOT* pSlot = HeldSlot(nSlot);
    if (!pSlot) {
        return 0;
    }
    g_pPerformance->Stop(pSlot->pSegment, nullptr, 0, 0);
    pSlot->nState = MIDI_STOPPED;
    g_nActiveMidi = NO_SLOT;
    return 1;
}

BOOL CMediaLib::UnloadMidi(int nSlot)
{
    if (nSlot >= 0 && nSlot < MIDI_SLOT_COUNT) {
        UnloadSlot(g_midiSlots[nSlot]);
    }
    return 1;
}

BOOL CMediaLib::UnloadAllMidi()
{
    for (MIDISLOT& slot : g_midiSlots) {
        UnloadSlot(slot);
    }
    return 1;
}

int CMediaLib::GetMidiState(int nSlot)
{
    MIDISLOT* pSlot = HeldSlot(nSlot);
    if (!pSlot) {
        return MIDI_FREE;
    }
    // S_FALSE is the platform's "not playing", so only S_OK counts as playing.
    HRESULT hr = g_pPerformance->IsPlaying(pSlot->pSegment, nullptr);
    pSlot->nState = hr == S_OK ? MIDI_PLAYING : MIDI_STOPPED;
    return pSlot->nState;
}
