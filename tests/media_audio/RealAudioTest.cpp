// The library on Wine's DirectSound and DirectMusic: real buffers, real segments,
// and a start-up and shutdown that leave no reference behind. Nothing sounds under
// Wine and a segment never reports playing there, so no test expects either.
#include "AudioTestSupport.h"
#include <direct.h>

namespace {

class RealAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAudioLibrary();
        ASSERT_NE(nullptr, window.Handle());
        ASSERT_EQ(1, g_media.InitAudio(window.Handle()));
    }
    void TearDown() override { g_media.ShutdownAudio(); }

    std::string WriteWave(const std::string& name, size_t nSamples)
    {
        return folder.Write(name,
                            RiffBuilder().Chunk("fmt ", Format(1, 1, 11025, 8)).Chunk("data", Samples(nSamples)).Bytes());
    }

    HiddenWindow window;
    TempFolder folder;
};

// One C4 of a quarter beat, then the end of the track.
std::string TinyMidi()
{
    const char track[] = "\x00\xC0\x00" "\x00\x90\x3C\x40" "\x60\x80\x3C\x40" "\x00\xFF\x2F\x00";
    std::string body(track, sizeof track - 1);
    return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk" + Dword(_byteswap_ulong(body.size())) + body;
}

std::vector<BYTE> RealContents(IDirectSoundBuffer* pBuffer)
{
    void* pPart1 = nullptr;
    void* pPart2 = nullptr;
    DWORD dwPart1 = 0;
    DWORD dwPart2 = 0;
    if (FAILED(pBuffer->Lock(0, 0, &pPart1, &dwPart1, &pPart2, &dwPart2, DSBLOCK_ENTIREBUFFER))) {
        return {};
    }
    std::vector<BYTE> bytes(static_cast<BYTE*>(pPart1), static_cast<BYTE*>(pPart1) + dwPart1);
    pBuffer->Unlock(pPart1, dwPart1, pPart2, dwPart2);
    return bytes;
}

// The reference the test holds comes back as the last one once the library let go.
template <class T>
T* HoldReference(T* pObject)
{
    pObject->AddRef();
    return pObject;
}

class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& path)
    {
        _getcwd(m_szSaved, MAX_PATH);
        SetCurrentDirectoryA(path.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryA(m_szSaved); }

private:
    char m_szSaved[MAX_PATH];
};

}  // namespace

TEST_F(RealAudioTest, AWaveLoadsPlaysStopsAndIsReleased)
{
    std::string wave = WriteWave("second.wav", 11025);

    ASSERT_EQ(0, g_media.LoadWave(wave.c_str(), 0));
    EXPECT_EQ(1, g_media.PlayWave(0, DSBPLAY_LOOPING));
    EXPECT_TRUE(g_media.GetWaveStatus(0) & DSBSTATUS_PLAYING);
    EXPECT_EQ(1, g_media.StopWave(0));
    EXPECT_FALSE(g_media.GetWaveStatus(0) & DSBSTATUS_PLAYING);
    EXPECT_EQ(1, g_media.ReleaseWave(0));

    EXPECT_EQ(0xFFFFFFFFu, g_media.GetWaveStatus(0));
    EXPECT_EQ(WAVE_FREE, g_waveSlots[0].nState);
}

TEST_F(RealAudioTest, SettersWorkOnlyOnBuffersMadeWithTheirControlFlags)
{
    std::string wave = WriteWave("short.wav", 512);
    ASSERT_EQ(0, g_media.LoadWave(wave.c_str(), 0));
    ASSERT_EQ(1, g_media.LoadWave(wave.c_str(), DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN));

    EXPECT_EQ(0, g_media.SetWaveVolume(0, 50));
    EXPECT_EQ(0, g_media.SetWaveFrequency(0, 22050));
    EXPECT_EQ(0, g_media.SetWavePan(0, 0));
    EXPECT_EQ(1, g_media.SetWaveVolume(1, 50));
    EXPECT_EQ(1, g_media.SetWaveFrequency(1, 22050));
    EXPECT_EQ(1, g_media.SetWavePan(1, -10000));
    EXPECT_EQ(0, g_media.SetWaveVolume(1, 101)) << "a gain above 0 dB is refused";
}

TEST_F(RealAudioTest, ThreeSongsLoadFromOneFolder)
{
    for (const char* name : {"song1.mid", "song2.mid", "song3.mid"}) {
        folder.Write(name, TinyMidi());
    }
    CurrentFolder inSongs(folder.Path());

    EXPECT_EQ(0, g_media.LoadMidi("song1.mid"));
    EXPECT_EQ(1, g_media.LoadMidi("song2.mid"));
    EXPECT_EQ(2, g_media.LoadMidi("song3.mid"));
    EXPECT_EQ(NO_SLOT, g_media.LoadMidi("missing.mid"));

    EXPECT_EQ(1, g_media.PlayMidi(1));
    int nState = g_media.GetMidiState(1);
    EXPECT_TRUE(nState == MIDI_PLAYING || nState == MIDI_STOPPED) << nState;
    EXPECT_EQ(1, g_media.StopMidi(1));
    EXPECT_EQ(1, g_media.UnloadAllMidi());
    EXPECT_EQ(MIDI_FREE, g_media.GetMidiState(1));
}

TEST_F(RealAudioTest, TheWholeCycleLeavesNoReferenceBehindAndCanRunAgain)
{
    folder.Write("song.mid", TinyMidi());
    std::string wave = WriteWave("loop.wav", 2048);
    {
        CurrentFolder inSongs(folder.Path());
        ASSERT_EQ(0, g_media.LoadMidi("song.mid"));
    }
    ASSERT_EQ(0, g_media.LoadWave(wave.c_str(), 0));
    g_media.PlayMidi(0);
    g_media.PlayWave(0, DSBPLAY_LOOPING);
    IDirectSound* pDirectSound = HoldReference(g_pDirectSound);
    IDirectMusicPerformance* pPerformance = HoldReference(g_pPerformance);
    IDirectMusicLoader* pLoader = HoldReference(g_pLoader);
    IDirectSoundBuffer* pBuffer = HoldReference(g_waveSlots[0].pBuffer);
    ULONG soundRefsBefore = pDirectSound->AddRef() - 1;
    pDirectSound->Release();

    EXPECT_EQ(1, g_media.ShutdownAudio());

    EXPECT_EQ(0u, pBuffer->Release());
    EXPECT_EQ(0u, pLoader->Release());
    EXPECT_EQ(0u, pPerformance->Release());
    // Wine's DirectMusic may keep the DirectSound object it was given for its own
    // synthesizer: what can be checked is that the library's reference is gone.
    EXPECT_LE(pDirectSound->Release(), soundRefsBefore - 2);

    ASSERT_EQ(1, g_media.InitAudio(window.Handle()));
    EXPECT_NE(nullptr, g_pDirectSound);
    EXPECT_EQ(0, g_media.LoadWave(wave.c_str(), 0));
}

namespace {

class RiffOnRealTest : public RealAudioTest, public ::testing::WithParamInterface<WaveCase> {};

}  // namespace

TEST_P(RiffOnRealTest, GivesTheResultAndSlotOfItsFile)
{
    ExpectLoadAsCase(GetParam(), folder, &RealContents);
}

INSTANTIATE_TEST_SUITE_P(CraftedFiles, RiffOnRealTest, ::testing::ValuesIn(WaveCases()),
                         CaseName());
