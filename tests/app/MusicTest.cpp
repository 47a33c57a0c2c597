// The background music through the game's dialog and the real media library: the
// music timer, the rotation's order, a song left to play, the songs that fail to load,
// the shutdown at close.
#include "AudioSpy.h"
#include "CaseName.h"
#include "GameSession.h"
#include "MediaLib.h"
#include "Quillmere.h"
#include "Resource.h"
#include "RiffBuilder.h"
#include "SystemCalls.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Runs the game from a folder that holds only some of the songs.
class SongFolder {
public:
    explicit SongFolder(const std::vector<std::string>& songs)
    {
        char here[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, here);
        m_home = here;
        m_folder = m_home + "\\songs-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        for (const std::string& song : songs)
            ::CopyFileA((m_home + "\\" + song).c_str(), (m_folder + "\\" + song).c_str(), FALSE);
        ::SetCurrentDirectoryA(m_folder.c_str());
    }
    ~SongFolder()
    {
        ::SetCurrentDirectoryA(m_home.c_str());
        for (const char* song : { "song1.mid", "song2.mid", "song3.mid" })
            ::DeleteFileA((m_folder + "\\" + song).c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }

private:
    std::string m_home, m_folder;
};

// The song indices the rotation stands on after each of three music ticks: song2,
// song3, then song1 again. Under Wine no song ever plays long (its DirectMusic reports
// every segment stopped), so each tick moves on as far as the loaded songs let it.
std::vector<int> RotationOverThreeTicks(GameDriver& game)
{
    std::vector<int> indices;
    for (int tick = 0; tick < 3; tick++) {
        game.Tick(TIMER_MUSIC);
        indices.push_back(game.dlg.m_nCurSong);
    }
    return indices;
}

struct MissingSongCase {
    const char* name;
    std::vector<std::string> present;
    bool errorBox;
    std::vector<int> rotation;
};

class Music : public ::testing::TestWithParam<MissingSongCase> {};

TEST_P(Music, RotatesFromTheSecondSongAndStopsAtOneThatDidNotLoad)
{
    const MissingSongCase& c = GetParam();
    SongFolder folder(c.present);
    BoxRecorder boxes;
    HWND hMain = nullptr;
    PlayGame(boxes, [&](GameDriver& game) {
        hMain = game.Hwnd();
        EXPECT_EQ(game.dlg.m_nCurSong, 0);
        EXPECT_EQ(g_nActiveMidi, NO_SLOT) << "no song starts at start-up";
        EXPECT_EQ(RotationOverThreeTicks(game), c.rotation);
        int current = game.dlg.m_nSong[game.dlg.m_nCurSong];
        if (current != NO_SLOT) {
            EXPECT_EQ(g_nActiveMidi, current) << "the song the rotation stands on was started";
        }
    });
    const BoxRecord* pError = nullptr;
    for (const BoxRecord& box : boxes.Boxes()) {
        if (box.isMessageBox)
            pError = &box;
    }
    ASSERT_EQ(pError != nullptr, c.errorBox);
    if (pError != nullptr) {
        EXPECT_EQ(pError->text, "Error reading midi file");
        EXPECT_EQ(pError->caption, ProgramName());
        EXPECT_EQ(pError->icon, BoxIcon::Exclamation);
        EXPECT_EQ(pError->owner, hMain);
        EXPECT_TRUE(pError->ownerDisabled);
        EXPECT_EQ(boxes.Boxes()[0].text, "Error reading midi file") << "before the About box";
    }
}

INSTANTIATE_TEST_SUITE_P(Songs, Music, ::testing::Values(
    MissingSongCase{ "AllThree", { "song1.mid", "song2.mid", "song3.mid" }, false, { 1, 2, 0 } },
    MissingSongCase{ "NoSong1", { "song2.mid", "song3.mid" }, true, { 0, 0, 0 } },
    MissingSongCase{ "NoSong2", { "song1.mid", "song3.mid" }, false, { 1, 1, 1 } },
    MissingSongCase{ "NoSong3", { "song1.mid", "song2.mid" }, false, { 1, 2, 2 } }),
    CaseName());

TEST(MusicShutdown, CloseStopsTheMusicAndReleasesTheAudio)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Tick(TIMER_MUSIC);
        ASSERT_NE(g_nActiveMidi, NO_SLOT);
        game.Post(WM_COMMAND, IDCANCEL);
    });
    for (const MIDISLOT& slot : g_midiSlots)
        EXPECT_EQ(slot.pSegment, nullptr);
    EXPECT_EQ(g_pPerformance, nullptr);
    EXPECT_EQ(g_pLoader, nullptr);
    EXPECT_EQ(g_pDirectSound, nullptr);
}

TEST(MusicTimer, StartsWithTheDialogAndChangesTheSongAboutTwoSecondsLaterBehindTheAboutBox)
{
    CallLog log;
    SystemCalls calls(log);
    ASSERT_TRUE(calls.Active());
    BoxRecorder boxes;
    DWORD changedAt = 0;
    int songIndex = -1, activeSlot = NO_SLOT, secondSongSlot = NO_SLOT;
    boxes.onBox = [&](HWND hBox, const BoxRecord& box) {
        ASSERT_EQ(box.caption, "About Quillmere");
        auto& dlg = *static_cast<CQuillmereDlg*>(theApp.m_pMainWnd);
        if (!PumpUntil([&] { return dlg.m_nCurSong != 0; }, 10000))
            return;
        changedAt = ::GetTickCount();
        songIndex = dlg.m_nCurSong;
        activeSlot = g_nActiveMidi;
        secondSongSlot = dlg.m_nSong[1];
        EXPECT_TRUE(::IsWindowVisible(hBox)) << "the About box was closed";
    };
    PlayGame(boxes, [&](GameDriver&) { boxes.onBox = nullptr; });

    std::vector<std::string> started = log.Calls({ "SetTimer" });
    ASSERT_EQ(started, std::vector<std::string>{ "SetTimer(2, 2000)" }) << "only the music timer starts";
    ASSERT_NE(changedAt, 0u) << "the song never changed";
    DWORD after = changedAt - log.First("SetTimer")->tick;
    EXPECT_GE(after, 1900u);
    EXPECT_LT(after, 3900u) << "not the first tick";
    EXPECT_EQ(songIndex, 1);
    EXPECT_EQ(activeSlot, secondSongSlot);
}

// What the rotation asked of the performance and started or stopped there.
std::vector<std::string> SongCalls(const CallLog& log)
{
    return log.Calls({ "Performance.IsPlaying", "Performance.PlaySegment", "Performance.Stop" });
}

TEST(MusicRotation, APlayingSongIsLeftAloneUntilItEnds)
{
    CallLog log;
    AudioSpy audio(log);
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Tick(TIMER_MUSIC);
        ASSERT_EQ(SongCalls(log), (std::vector<std::string>{ "Performance.IsPlaying(song1.mid)",
                                                             "Performance.PlaySegment(song2.mid)" }));
        log.Clear();
        for (int tick = 0; tick < 3; tick++)
            game.Tick(TIMER_MUSIC);
        EXPECT_EQ(SongCalls(log), std::vector<std::string>(3, "Performance.IsPlaying(song2.mid)"));
        EXPECT_EQ(game.dlg.m_nCurSong, 1);

        log.Clear();
        audio.EndSong();
        game.Tick(TIMER_MUSIC);
        EXPECT_EQ(SongCalls(log), (std::vector<std::string>{ "Performance.IsPlaying(song2.mid)",
                                                             "Performance.Stop(song2.mid)",
                                                             "Performance.PlaySegment(song3.mid)" }));
        EXPECT_EQ(game.dlg.m_nCurSong, 2);
    });
}

// The song keeps playing through everything the player does, on the real timer.
TEST(MusicRotation, NewGameRefusalsAndCrossingsNeitherRestartNorStopTheSong)
{
    CallLog log;
    AudioSpy audio(log);
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Tick(TIMER_MUSIC);
        ASSERT_EQ(g_nActiveMidi, game.dlg.m_nSong[1]);
        log.Clear();
        boxes.Clear();
        game.Click(IDC_NEW_GAME);
        game.Click(IDC_MOVE_RIGHT);  // an empty raft: a plain refusal
        boxes.onBox = [](HWND, const BoxRecord&) { PumpFor(2500); };
        game.Click(IDC_DADDY);
        game.Click(IDC_DAUGHTER1);
        game.Click(IDC_MOVE_RIGHT);  // a refusal with its clip, open for a music tick
        boxes.onBox = nullptr;
        game.Click(IDC_DAUGHTER1);
        game.Click(IDC_MOMY);
        game.Click(IDC_MOVE_RIGHT);
        EXPECT_TRUE(PumpUntil([&] { return game.dlg.m_nRaftState == RAFT_AT_ISLAND2; }, 20000, game.Hwnd()));

        std::vector<std::string> calls = SongCalls(log);
        ASSERT_FALSE(calls.empty()) << "the music timer never ticked";
        EXPECT_EQ(calls, std::vector<std::string>(calls.size(), "Performance.IsPlaying(song2.mid)"));
        EXPECT_EQ(game.dlg.m_nCurSong, 1);
        EXPECT_EQ(boxes.Boxes().size(), 2u);
    });
}

TEST(MusicShutdown, CloseStopsBothTimersThenTheWavesThenUnloadsTheSongsThenShutsTheAudioDown)
{
    CallLog log;
    SystemCalls calls(log);
    AudioSpy audio(log);
    ASSERT_TRUE(calls.Active());
    // A small sound effect of the kind the library loads: 8-bit mono PCM at 11025 Hz.
    ASSERT_TRUE(WriteBytes("shutdown-order.wav", RiffBuilder()
                                                     .Chunk("fmt ", Format(WAVE_FORMAT_PCM, 1, 11025, 8))
                                                     .Chunk("data", Samples(64))
                                                     .Bytes()));
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        ASSERT_NE(g_media.LoadWave("shutdown-order.wav", 0), NO_SLOT);
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        game.Click(IDC_MOVE_RIGHT);
        game.Tick(TIMER_MUSIC);
        log.Clear();
        game.Post(WM_COMMAND, IDCANCEL);
    });
    ::DeleteFileA("shutdown-order.wav");
    std::vector<std::string> steps =
        log.Calls({ "KillTimer", "Buffer.Stop", "SetParam(Unload)", "Performance.Stop", "Performance.CloseDown" });
    ASSERT_GE(steps.size(), 8u) << ::testing::PrintToString(steps);
    steps.resize(8);
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "KillTimer(1)", "KillTimer(2)",                       // both timers
                         "Buffer.Stop",                                        // every wave
                         "song1.mid.SetParam(Unload)", "song2.mid.SetParam(Unload)",
                         "song3.mid.SetParam(Unload)",                         // every song
                         "Performance.Stop(all)", "Performance.CloseDown" }))  // the audio
        << "in the order the close took";
}

}  // namespace
