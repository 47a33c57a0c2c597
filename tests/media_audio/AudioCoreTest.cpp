// Audio start-up and shutdown on the fakes: the calls in their order, what a
// failing step leaves, and what shutdown gives back.
#include "AudioTestSupport.h"
#include <type_traits>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

const char* const START_UP[] = {
    "DirectSoundCreate(null, &g_pDirectSound, null)",
    "DirectSound1.SetCooperativeLevel(hwnd, 1)",
    "CoInitialize(null)",
    "CoCreateInstance(CLSID_DirectMusicPerformance, null, 3, IID_IDirectMusicPerformance, &g_pPerformance)",
    "Performance1.Init(null, DirectSound1, hwnd)",
    "Performance1.AddPort(null)",
    "CoCreateInstance(CLSID_DirectMusicLoader, null, 3, IID_IDirectMusicLoader, &g_pLoader)",
};

// Read during the program's static initialisation, before any test resets the library.
const BOOL FIRST_AUDIO_INIT_AT_START = g_bFirstAudioInit;
const int ACTIVE_MIDI_AT_START = g_nActiveMidi;

void ExpectMidiTableReset()
{
    for (int i = 0; i < MIDI_SLOT_COUNT; ++i) {
        EXPECT_EQ(nullptr, g_midiSlots[i].pSegment);
        EXPECT_EQ(nullptr, g_midiSlots[i].pSegmentState);
        EXPECT_EQ(MIDI_FREE, g_midiSlots[i].nState);
        EXPECT_EQ(i, g_midiSlots[i].nIndex);
    }
    EXPECT_EQ(NO_SLOT, g_nActiveMidi);
}

void ExpectWaveTableReset()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        EXPECT_EQ(nullptr, g_waveSlots[i].pBuffer);
        EXPECT_EQ(WAVE_FREE, g_waveSlots[i].nState);
        EXPECT_EQ(0u, g_waveSlots[i].dwSampleRate);
        EXPECT_EQ(0u, g_waveSlots[i].dwDataSize);
        EXPECT_EQ(i, g_waveSlots[i].nIndex);
    }
}

}  // namespace

using AudioCoreTest = FakeAudioTest;

TEST(AudioAtProgramStart, TheOneTimePartIsStillToRunAndNoSlotIsActive)
{
    EXPECT_EQ(1, FIRST_AUDIO_INIT_AT_START);
    EXPECT_EQ(NO_SLOT, ACTIVE_MIDI_AT_START);
}

TEST_F(AudioCoreTest, EveryLibraryObjectReachesTheSameStateAndItsEndReleasesNothing)
{
    Start();
    {
        CMediaLib other;
        ASSERT_EQ(0, other.LoadMidi("song1.mid"));
        fake.log.clear();
    }

    EXPECT_THAT(fake.log, IsEmpty());
    EXPECT_EQ(1, g_media.PlayMidi(0)) << "the song loaded through the other object";
    EXPECT_TRUE(std::is_empty<CMediaLib>::value) << "all its state is the library's";
    EXPECT_FALSE(std::is_polymorphic<CMediaLib>::value);
}

TEST_F(AudioCoreTest, FirstStartUpMakesEverythingInOrderAndResetsBothTables)
{
    g_nActiveMidi = 7;
    g_waveSlots[3].nState = WAVE_LOADED;

    EXPECT_EQ(1, g_media.InitAudio(fake.hWnd));

    EXPECT_THAT(fake.log, ElementsAreArray(START_UP));
    EXPECT_EQ(0, g_bFirstAudioInit);
    ExpectWaveTableReset();
    ExpectMidiTableReset();
}

TEST_F(AudioCoreTest, EveryStepGoesOnWithASuccessCodeOtherThanSOk)
{
    for (const char* key : {"DirectSoundCreate", "DirectSound.SetCooperativeLevel", "CoInitialize",
                            "CoCreateInstance CLSID_DirectMusicPerformance", "Performance.Init",
                            "Performance.AddPort", "CoCreateInstance CLSID_DirectMusicLoader"}) {
        fake.answers[key] = S_FALSE;
    }

    EXPECT_EQ(1, g_media.InitAudio(fake.hWnd));
    EXPECT_THAT(fake.log, ElementsAreArray(START_UP));
    g_media.ShutdownAudio();
    EXPECT_EQ(0, fake.nComDepth) << "a CoInitialize that answered S_FALSE is paired too";
}

struct StartUpFailure {
    const char* name;
    const char* key;
    HRESULT hr;
    size_t nCalls;  // the start-up calls made, the failing one last
    bool bDirectSound;
    bool bPerformance;
    bool bComInitialised;
    bool bWaveTableReset;
};

void PrintTo(const StartUpFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class StartUpFailureTest : public FakeAudioTest, public ::testing::WithParamInterface<StartUpFailure> {};

TEST_P(StartUpFailureTest, StopsAtTheStepAndShutdownGivesBackWhatWasMade)
{
    const StartUpFailure& failure = GetParam();
    fake.answers[failure.key] = failure.hr;
    g_nActiveMidi = 7;

    EXPECT_EQ(0, g_media.InitAudio(fake.hWnd));

    EXPECT_THAT(fake.log, ElementsAreArray(START_UP, failure.nCalls));
    EXPECT_EQ(failure.bDirectSound, g_pDirectSound != nullptr);
    EXPECT_EQ(failure.bPerformance, g_pPerformance != nullptr);
    EXPECT_EQ(nullptr, g_pLoader);
    EXPECT_EQ(failure.bComInitialised ? 1 : 0, fake.nComDepth);
    EXPECT_EQ(failure.bWaveTableReset ? 255 : 0, g_waveSlots[255].nIndex);
    EXPECT_EQ(0, g_midiSlots[63].nIndex) << "the MIDI table is reset only by a start-up that succeeds";
    EXPECT_EQ(7, g_nActiveMidi);
    EXPECT_EQ(0, g_bFirstAudioInit) << "the one-time part is not tried again";

    EXPECT_EQ(1, g_media.ShutdownAudio());
    EXPECT_THAT(fake.Unreleased(), IsEmpty());
    EXPECT_EQ(0, fake.nComDepth);
    EXPECT_EQ(0, fake.nLowestComDepth) << "CoUninitialize only for a CoInitialize that succeeded";
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, StartUpFailureTest,
    ::testing::Values(
        StartUpFailure{"DirectSoundCreate", "DirectSoundCreate", DSERR_NODRIVER, 1, false, false, false, false},
        StartUpFailure{"SetCooperativeLevel", "DirectSound.SetCooperativeLevel", DSERR_INVALIDPARAM, 2, true, false,
                       false, false},
        StartUpFailure{"CoInitialize", "CoInitialize", RPC_E_CHANGED_MODE, 3, true, false, false, true},
        StartUpFailure{"CreatePerformance", "CoCreateInstance CLSID_DirectMusicPerformance", REGDB_E_CLASSNOTREG, 4,
                       true, false, true, true},
        StartUpFailure{"Init", "Performance.Init", E_OUTOFMEMORY, 5, true, true, true, true},
        StartUpFailure{"AddPort", "Performance.AddPort", E_FAIL, 6, true, true, true, true},
        StartUpFailure{"CreateLoader", "CoCreateInstance CLSID_DirectMusicLoader", REGDB_E_CLASSNOTREG, 7, true, true,
                       true, true}),
    CaseName());

TEST_F(AudioCoreTest, AfterAFailedDirectSoundCreateTheNextStartUpGoesOnWithoutDirectSound)
{
    fake.answers["DirectSoundCreate"] = DSERR_NODRIVER;
    ASSERT_EQ(0, g_media.InitAudio(fake.hWnd));
    fake.log.clear();
    g_waveSlots[9].nState = WAVE_LOADED;

    EXPECT_EQ(1, g_media.InitAudio(fake.hWnd));

    EXPECT_THAT(fake.log,
                ElementsAre("CoInitialize(null)",
                            "CoCreateInstance(CLSID_DirectMusicPerformance, null, 3, IID_IDirectMusicPerformance, "
                            "&g_pPerformance)",
                            "Performance1.Init(null, null, hwnd)", "Performance1.AddPort(null)",
                            "CoCreateInstance(CLSID_DirectMusicLoader, null, 3, IID_IDirectMusicLoader, &g_pLoader)"));
    ExpectWaveTableReset();
}

TEST_F(AudioCoreTest, ShutdownStopsTheMusicBeforeUnloadingAndReleasesDirectSoundLast)
{
    TempFolder folder;
    std::string wave = folder.Write("a.wav", ValidWave());
    Start();
    ASSERT_EQ(0, g_media.LoadMidi("song1.mid"));
    ASSERT_EQ(1, g_media.LoadMidi("song2.mid"));
    ASSERT_EQ(1, g_media.PlayMidi(1));
    ASSERT_EQ(0, g_media.LoadWave(wave.c_str(), 0));
    ASSERT_EQ(1, g_media.LoadWave(wave.c_str(), 0));
    fake.log.clear();

    EXPECT_EQ(1, g_media.ShutdownAudio());

    EXPECT_THAT(fake.log,
                ElementsAre("Performance1.Stop(null, null, 0, 0)",
                            "Segment1.SetParam(GUID_Unload, 0xffffffff, 0, 0, g_pPerformance)", "Segment1.Release()",
                            "Segment2.SetParam(GUID_Unload, 0xffffffff, 0, 0, g_pPerformance)", "Segment2.Release()",
                            "State1.Release()", "Performance1.CloseDown()", "Performance1.Release()",
                            "Loader1.Release()", "CoUninitialize()", "Buffer1.Stop()",
                            "Buffer1.SetCurrentPosition(0)", "Buffer2.Stop()", "Buffer2.SetCurrentPosition(0)",
                            "Buffer1.Release()", "Buffer2.Release()", "DirectSound1.Release()"));
    EXPECT_THAT(fake.Unreleased(), IsEmpty());
    EXPECT_EQ(0, fake.nComDepth);
    EXPECT_EQ(nullptr, g_pDirectSound);
    EXPECT_EQ(nullptr, g_pPerformance);
    EXPECT_EQ(nullptr, g_pLoader);
    EXPECT_EQ(WAVE_LOADED, g_waveSlots[0].nState) << "the next start-up frees the slots";
    EXPECT_EQ(nullptr, g_waveSlots[0].pBuffer);
    EXPECT_EQ(1, g_nActiveMidi) << "left as it was";
    EXPECT_EQ(0, g_bFirstAudioInit);

    fake.log.clear();
    EXPECT_EQ(1, g_media.ShutdownAudio());
    EXPECT_THAT(fake.log, IsEmpty()) << "a second shutdown finds nothing";
}

TEST_F(AudioCoreTest, RepeatedStartUpGivesBackWhatItReplacesAndKeepsDirectSound)
{
    TempFolder folder;
    std::string wave = folder.Write("a.wav", ValidWave());
    Start();
    ASSERT_EQ(0, g_media.LoadMidi("song1.mid"));
    ASSERT_EQ(1, g_media.PlayMidi(0));
    ASSERT_EQ(0, g_media.LoadWave(wave.c_str(), 0));
    fake.log.clear();

    EXPECT_EQ(1, g_media.InitAudio(fake.hWnd));

    EXPECT_THAT(fake.log,
                ElementsAre("Performance1.Stop(null, null, 0, 0)",
                            "Segment1.SetParam(GUID_Unload, 0xffffffff, 0, 0, g_pPerformance)", "Segment1.Release()",
                            "State1.Release()", "Performance1.CloseDown()", "Performance1.Release()",
                            "Loader1.Release()", "CoUninitialize()", "Buffer1.Stop()", "Buffer1.Release()",
                            "CoInitialize(null)",
                            "CoCreateInstance(CLSID_DirectMusicPerformance, null, 3, IID_IDirectMusicPerformance, "
                            "&g_pPerformance)",
                            "Performance2.Init(null, DirectSound1, hwnd)", "Performance2.AddPort(null)",
                            "CoCreateInstance(CLSID_DirectMusicLoader, null, 3, IID_IDirectMusicLoader, &g_pLoader)"));
    ExpectWaveTableReset();
    ExpectMidiTableReset();
    EXPECT_EQ(1, fake.nComDepth);
    EXPECT_EQ(1, g_media.ShutdownAudio());
    EXPECT_THAT(fake.Unreleased(), IsEmpty());
    EXPECT_EQ(0, fake.nComDepth);
}

TEST_F(AudioCoreTest, StartUpAfterShutdownMakesDirectSoundAgain)
{
    Start();
    g_media.ShutdownAudio();
    fake.log.clear();

    EXPECT_EQ(1, g_media.InitAudio(fake.hWnd));

    ASSERT_GE(fake.log.size(), 2u);
    EXPECT_EQ("DirectSoundCreate(null, &g_pDirectSound, null)", fake.log[0]);
    EXPECT_EQ("DirectSound2.SetCooperativeLevel(hwnd, 1)", fake.log[1]);
    EXPECT_EQ("Performance2.Init(null, DirectSound2, hwnd)", fake.log[4]);
}

TEST_F(AudioCoreTest, ShutdownBeforeAnyStartUpCallsNothing)
{
    EXPECT_EQ(1, g_media.ShutdownAudio());
    EXPECT_THAT(fake.log, IsEmpty());
    EXPECT_EQ(1, g_bFirstAudioInit);
}
