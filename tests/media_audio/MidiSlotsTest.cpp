// The MIDI slots on the fakes: what a load hands the loader, how each failing call
// leaves the table, and how playing, stopping, polling and unloading move the slots.
#include "AudioTestSupport.h"
#include <cstring>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class MidiTest : public FakeAudioTest {
protected:
    void SetUp() override
    {
        FakeAudioTest::SetUp();
        Start();
    }

    FakeSegment* SegmentIn(int nSlot) { return static_cast<FakeSegment*>(g_midiSlots[nSlot].pSegment); }

    // Slots 0 to n-1 loaded, with nothing logged.
    void LoadSongs(int n)
    {
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(i, g_media.LoadMidi("song.mid"));
        }
        fake.log.clear();
    }
};

}  // namespace

TEST_F(MidiTest, LoadSetsTheSearchFolderAndDescribesTheFileByName)
{
    EXPECT_EQ(0, g_media.LoadMidi("song1.mid"));

    EXPECT_THAT(fake.log,
                ElementsAre("GetCwd(260)", "Loader1.SetSearchDirectory(GUID_DirectMusicAllTypes, C:\\songs, 0)",
                            "Loader1.GetObject(desc, IID_IDirectMusicSegment)",
                            "Segment1.SetParam(GUID_StandardMIDIFile, 0xffffffff, 0, 0, g_pPerformance)",
                            "Segment1.SetParam(GUID_Download, 0xffffffff, 0, 0, g_pPerformance)"));
    DMUS_OBJECTDESC expected;
    std::memset(&expected, 0, sizeof expected);
    expected.dwSize = sizeof expected;  // 848 in the 32-bit program
    expected.guidClass = CLSID_DirectMusicSegment;
    expected.dwValidData = 0x12;
    std::memcpy(expected.wszFileName, L"song1.mid", sizeof L"song1.mid");
    ASSERT_EQ(sizeof expected, fake.objectDesc.size());
    EXPECT_EQ(0, std::memcmp(&expected, fake.objectDesc.data(), sizeof expected)) << "every other byte is zero";

    EXPECT_EQ("Segment1", SegmentIn(0)->Name());
    EXPECT_EQ(nullptr, g_midiSlots[0].pSegmentState);
    EXPECT_EQ(MIDI_LOADED, g_midiSlots[0].nState);
    EXPECT_EQ(0, g_midiSlots[0].nIndex);
}

TEST_F(MidiTest, ThreeLoadsFromOneFolderSucceedWhenTheLoaderAnswersSFalse)
{
    fake.answers["Loader.SetSearchDirectory"] = S_FALSE;
    EXPECT_EQ(0, g_media.LoadMidi("song1.mid"));
    EXPECT_EQ(1, g_media.LoadMidi("song2.mid"));
    fake.cwd = "D:\\elsewhere";
    EXPECT_EQ(2, g_media.LoadMidi("song3.mid"));

    EXPECT_THAT(fake.log, Contains("Loader1.SetSearchDirectory(GUID_DirectMusicAllTypes, D:\\elsewhere, 0)"))
        << "the folder of the moment, on every load";
}

struct LoadFailure {
    const char* name;
    const char* key;  // the call that fails, or none
    HRESULT hr;
    std::string file;
    bool bGetCwdFails;
};

void PrintTo(const LoadFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class LoadFailureTest : public MidiTest, public ::testing::WithParamInterface<LoadFailure> {};

TEST_P(LoadFailureTest, TakesNoSlotAndKeepsNoSegment)
{
    const LoadFailure& failure = GetParam();
    LoadSongs(2);
    ASSERT_EQ(1, g_media.UnloadMidi(0));
    if (failure.key) {
        fake.answers[failure.key] = failure.hr;
    }
    fake.bGetCwdFails = failure.bGetCwdFails;

    EXPECT_EQ(NO_SLOT, g_media.LoadMidi(failure.file.c_str()));

    EXPECT_EQ(MIDI_FREE, g_midiSlots[0].nState);
    EXPECT_EQ(nullptr, g_midiSlots[0].pSegment);
    EXPECT_EQ(MIDI_FREE, g_midiSlots[2].nState);
    EXPECT_THAT(fake.Unreleased(), ElementsAre("DirectSound1", "Performance1", "Loader1", "Segment2"));
    fake.answers.clear();
    fake.bGetCwdFails = false;
    EXPECT_EQ(0, g_media.LoadMidi("song.mid")) << "the slot is free for the next load";
}

INSTANTIATE_TEST_SUITE_P(
    EachCall, LoadFailureTest,
    ::testing::Values(LoadFailure{"CurrentFolderTooLong", nullptr, S_OK, "song.mid", true},
                      LoadFailure{"SetSearchDirectory", "Loader.SetSearchDirectory", E_FAIL, "song.mid", false},
                      LoadFailure{"GetObject", "Loader.GetObject", DMUS_E_LOADER_FAILEDOPEN, "song.mid", false},
                      LoadFailure{"SetParamStandardMidiFile", "Segment.SetParam GUID_StandardMIDIFile", E_FAIL,
                                  "song.mid", false},
                      LoadFailure{"SetParamDownload", "Segment.SetParam GUID_Download", DMUS_E_NOT_INIT,
                                  "song.mid", false},
                      LoadFailure{"NameTooLongInWideForm", nullptr, S_OK, std::string(260, 'a'), false}),
    CaseName());

TEST_F(MidiTest, ANameOf259CharactersStillFits)
{
    std::string name(259, 'a');
    EXPECT_EQ(0, g_media.LoadMidi(name.c_str()));
    const DMUS_OBJECTDESC* pDesc = reinterpret_cast<const DMUS_OBJECTDESC*>(fake.objectDesc.data());
    EXPECT_EQ(L'a', pDesc->wszFileName[258]);
    EXPECT_EQ(L'\0', pDesc->wszFileName[259]);
}

namespace {

// What the system's ANSI code page makes of the bytes, as the platform reads them.
std::wstring InAnsiCodePage(const std::string& bytes)
{
    WCHAR wsz[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, wsz, MAX_PATH);
    return wsz;
}

}  // namespace

TEST_F(MidiTest, FolderAndFileNameAreReadInTheAnsiCodePage)
{
    // Bytes above 0x7F: the ANSI and the OEM code page read them as other characters.
    fake.cwd = "C:\\m\xFAsica";
    const std::string name = "can\xE7\xE3o.mid";

    ASSERT_EQ(0, g_media.LoadMidi(name.c_str()));

    EXPECT_EQ(InAnsiCodePage(fake.cwd), fake.searchFolder);
    const DMUS_OBJECTDESC* pDesc = reinterpret_cast<const DMUS_OBJECTDESC*>(fake.objectDesc.data());
    EXPECT_EQ(InAnsiCodePage(name), pDesc->wszFileName);
}

TEST_F(MidiTest, ANullNameIsRefused)
{
    EXPECT_EQ(NO_SLOT, g_media.LoadMidi(nullptr));
    EXPECT_EQ(MIDI_FREE, g_midiSlots[0].nState);
}

TEST_F(MidiTest, WithAllSlotsTakenALoadFailsAtOnceAndAnUnloadedSlotIsTakenAgain)
{
    LoadSongs(64);
    EXPECT_EQ(63, g_midiSlots[63].nIndex) << "a load leaves the slot's own number";

    EXPECT_EQ(NO_SLOT, g_media.LoadMidi("song.mid"));
    EXPECT_THAT(fake.log, IsEmpty());

    EXPECT_EQ(1, g_media.UnloadMidi(5));
    EXPECT_EQ(5, g_media.LoadMidi("song.mid"));
}

TEST(MidiWithoutStartUp, LoadFailsBeforeStartUpAfterAFailedOneAndAfterShutdown)
{
    FakePlatform fake;
    ResetAudioLibrary();
    EXPECT_EQ(NO_SLOT, g_media.LoadMidi("song.mid"));

    fake.answers["Performance.AddPort"] = E_FAIL;
    g_media.InitAudio(fake.hWnd);
    EXPECT_EQ(NO_SLOT, g_media.LoadMidi("song.mid"));

    fake.answers.clear();
    g_media.InitAudio(fake.hWnd);
    g_media.ShutdownAudio();
    fake.log.clear();
    EXPECT_EQ(NO_SLOT, g_media.LoadMidi("song.mid"));
    EXPECT_THAT(fake.log, IsEmpty());
    EXPECT_EQ(MIDI_FREE, g_midiSlots[0].nState);
}

struct PollAnswer {
    const char* name;
    HRESULT hr;
    int nState;
};

class PollTest : public MidiTest, public ::testing::WithParamInterface<PollAnswer> {};

TEST_P(PollTest, OnlySOkCountsAsPlaying)
{
    LoadSongs(1);
    g_media.PlayMidi(0);
    fake.log.clear();
    fake.answers["Performance.IsPlaying"] = GetParam().hr;

    EXPECT_EQ(GetParam().nState, g_media.GetMidiState(0));

    EXPECT_EQ(GetParam().nState, g_midiSlots[0].nState);
    EXPECT_THAT(fake.log, ElementsAre("Performance1.IsPlaying(Segment1, null)"));
    EXPECT_EQ(0, g_nActiveMidi) << "a poll that finds the active slot stopped does not forget it";
}

INSTANTIATE_TEST_SUITE_P(IsPlayingAnswers, PollTest,
                         ::testing::Values(PollAnswer{"SOk", S_OK, MIDI_PLAYING},
                                           PollAnswer{"SFalse", S_FALSE, MIDI_STOPPED},
                                           PollAnswer{"OtherSuccess", static_cast<HRESULT>(2), MIDI_STOPPED},
                                           PollAnswer{"Failure", E_FAIL, MIDI_STOPPED}),
                         CaseName());

class EmptySlotTest : public MidiTest, public ::testing::WithParamInterface<EmptySlot> {};

TEST_P(EmptySlotTest, GivesTheEmptySlotResultsAndCallsNothing)
{
    LoadSongs(2);
    g_media.PlayMidi(1);
    fake.log.clear();
    MIDISLOT before[MIDI_SLOT_COUNT];
    std::memcpy(before, g_midiSlots, sizeof before);

    EXPECT_EQ(MIDI_FREE, g_media.GetMidiState(GetParam().nSlot));
    EXPECT_EQ(0, g_media.PlayMidi(GetParam().nSlot));
    EXPECT_EQ(0, g_media.StopMidi(GetParam().nSlot));
    EXPECT_EQ(1, g_media.UnloadMidi(GetParam().nSlot));

    EXPECT_THAT(fake.log, IsEmpty());
    EXPECT_EQ(0, std::memcmp(before, g_midiSlots, sizeof before));
    EXPECT_EQ(1, g_nActiveMidi) << "the song that plays is neither stopped nor forgotten";
}

INSTANTIATE_TEST_SUITE_P(FreeNoSlotAndBeyond, EmptySlotTest,
                         ::testing::Values(EmptySlot{"Free", 3}, EmptySlot{"NoSlot", NO_SLOT},
                                           EmptySlot{"PastTheTable", 64}),
                         CaseName());

TEST_F(MidiTest, PlayStopsTheActiveSlotFirstAndGivesBackTheStateItReplaces)
{
    LoadSongs(2);

    EXPECT_EQ(1, g_media.PlayMidi(0));
    EXPECT_EQ(1, g_media.PlayMidi(1));
    EXPECT_EQ(1, g_media.PlayMidi(1));

    EXPECT_THAT(fake.log, ElementsAre("Performance1.PlaySegment(Segment1, 0, 0, &g_midiSlots[0].pSegmentState)",
                                      "Performance1.Stop(Segment1, null, 0, 0)",
                                      "Performance1.PlaySegment(Segment2, 0, 0, &g_midiSlots[1].pSegmentState)",
                                      "Performance1.Stop(Segment2, null, 0, 0)", "State2.Release()",
                                      "Performance1.PlaySegment(Segment2, 0, 0, &g_midiSlots[1].pSegmentState)"));
    EXPECT_EQ(MIDI_STOPPED, g_midiSlots[0].nState);
    EXPECT_EQ(MIDI_PLAYING, g_midiSlots[1].nState);
    EXPECT_EQ("State3", static_cast<FakeSegmentState*>(g_midiSlots[1].pSegmentState)->Name());
    EXPECT_EQ(1, g_nActiveMidi);
}

TEST_F(MidiTest, StoppingAnotherSlotForgetsTheActiveOneWithoutStoppingIt)
{
    LoadSongs(3);
    g_media.PlayMidi(0);
    fake.log.clear();

    EXPECT_EQ(1, g_media.StopMidi(1));
    EXPECT_EQ(1, g_media.PlayMidi(2));

    EXPECT_THAT(fake.log, ElementsAre("Performance1.Stop(Segment2, null, 0, 0)",
                                      "Performance1.PlaySegment(Segment3, 0, 0, &g_midiSlots[2].pSegmentState)"));
    EXPECT_EQ(MIDI_PLAYING, g_midiSlots[0].nState);
    EXPECT_EQ(MIDI_STOPPED, g_midiSlots[1].nState);
}

TEST_F(MidiTest, UnloadOfTheActiveSlotDoesNotStopItAndAReloadedSlotIsStoppedByTheNextPlay)
{
    LoadSongs(2);
    g_media.PlayMidi(0);
    fake.log.clear();

    EXPECT_EQ(1, g_media.UnloadMidi(0));
    EXPECT_THAT(fake.log, ElementsAre("Segment1.SetParam(GUID_Unload, 0xffffffff, 0, 0, g_pPerformance)",
                                      "Segment1.Release()", "State1.Release()"));
    EXPECT_EQ(MIDI_FREE, g_midiSlots[0].nState);
    EXPECT_EQ(nullptr, g_midiSlots[0].pSegment);
    EXPECT_EQ(nullptr, g_midiSlots[0].pSegmentState);
    EXPECT_EQ(0, g_nActiveMidi);

    ASSERT_EQ(0, g_media.LoadMidi("again.mid"));
    fake.log.clear();
    EXPECT_EQ(1, g_media.PlayMidi(1));
    EXPECT_EQ("Performance1.Stop(Segment3, null, 0, 0)", fake.log[0]);
    EXPECT_EQ(MIDI_STOPPED, g_midiSlots[0].nState);
}

TEST_F(MidiTest, APlayThatThePerformanceRefusesStillCountsUntilThePoll)
{
    LoadSongs(1);
    fake.answers["Performance.PlaySegment"] = E_FAIL;
    fake.answers["Performance.IsPlaying"] = S_FALSE;

    EXPECT_EQ(1, g_media.PlayMidi(0));
    EXPECT_EQ(MIDI_PLAYING, g_midiSlots[0].nState);
    EXPECT_EQ(MIDI_STOPPED, g_media.GetMidiState(0));
}

TEST_F(MidiTest, UnloadAllGivesBackEverySegmentOnceAndASecondCallFindsNothing)
{
    LoadSongs(3);
    g_media.PlayMidi(2);

    EXPECT_EQ(1, g_media.UnloadAllMidi());
    EXPECT_EQ(2, g_nActiveMidi);
    fake.log.clear();
    EXPECT_EQ(1, g_media.UnloadAllMidi());

    EXPECT_THAT(fake.log, IsEmpty());
    EXPECT_THAT(fake.Unreleased(), ElementsAre("DirectSound1", "Performance1", "Loader1"));
}
