// The wave slots on the fakes: the records every buffer is made with, the lock and
// its two parts, how each failing DirectSound call leaves the slot, and the
// operations on loaded and empty slots.
#include "AudioTestSupport.h"
#include "WaveBuilder.h"
#include <climits>
#include <cstring>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

class WaveTest : public FakeAudioTest {
protected:
    void SetUp() override
    {
        FakeAudioTest::SetUp();
        Start();
        m_wave = folder.Write("valid.wav", ValidWave());
    }

    int Load(DWORD dwExtraFlags = 0) { return g_media.LoadWave(m_wave.c_str(), dwExtraFlags); }
    static FakeSoundBuffer* BufferIn(int nSlot) { return static_cast<FakeSoundBuffer*>(g_waveSlots[nSlot].pBuffer); }

    TempFolder folder;
    std::string m_wave;
};

std::vector<BYTE> Bytes(const std::string& s)
{
    return std::vector<BYTE>(s.begin(), s.end());
}

}  // namespace

TEST_F(WaveTest, EveryBufferIsMadeAs8BitMonoAt11025HzWithTheCallersFlagsAdded)
{
    std::string stereo = folder.Write(
        "stereo.wav", RiffBuilder().Chunk("fmt ", Format(1, 2, 44100, 16)).Chunk("data", Samples(400)).Bytes());

    EXPECT_EQ(0, g_media.LoadWave(stereo.c_str(), DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS));

    EXPECT_THAT(fake.log, ElementsAre("mmioOpenA(stereo.wav, null, 0x10000)", "mmioClose(File1, 0)",
                                      "DirectSound1.CreateSoundBuffer(&g_waveBufferDesc, &g_waveSlots[0].pBuffer, null)",
                                      "Buffer1.Lock(0, 400, 1)", "Buffer1.Unlock(0, 400, -1, 0)"));
    // Field by field: the same bytes as the 32-bit program's 36-byte record.
    ASSERT_EQ(sizeof(DSBUFFERDESC), fake.bufferDesc.size());
    DSBUFFERDESC desc;
    memcpy(&desc, fake.bufferDesc.data(), sizeof desc);
    EXPECT_EQ(sizeof(DSBUFFERDESC), desc.dwSize);
    EXPECT_EQ(0x808Au, desc.dwFlags);  // DSBCAPS_GLOBALFOCUS | CTRLVOLUME | LOCSOFTWARE | STATIC
    EXPECT_EQ(400u, desc.dwBufferBytes);
    EXPECT_EQ(0u, desc.dwReserved);
    EXPECT_EQ(&g_waveFormat, desc.lpwfxFormat);
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, desc.guid3DAlgorithm));
    const BYTE format[18] = {1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0, 0, 0};
    EXPECT_THAT(fake.bufferFormat, ElementsAreArray(format));
    EXPECT_EQ(WAVE_LOADED, g_waveSlots[0].nState);
    EXPECT_EQ(44100u, g_waveSlots[0].dwSampleRate);
    EXPECT_EQ(400u, g_waveSlots[0].dwDataSize);
    EXPECT_EQ(Bytes(Samples(400)), BufferIn(0)->bytes);
}

TEST_F(WaveTest, TheFileIsClosedBeforeTheBufferIsMade)
{
    bool bClosed = false;
    fake.onCreateSoundBuffer = [&] {
        HANDLE hFile = CreateFileA(m_wave.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        bClosed = hFile != INVALID_HANDLE_VALUE;
        CloseHandle(hFile);
    };

    ASSERT_EQ(0, Load());
    EXPECT_TRUE(bClosed);
}

TEST_F(WaveTest, ALockFromTheWriteCursorIsFilledInItsTwoParts)
{
    fake.dwNextWriteCursor = 10;

    ASSERT_EQ(0, Load());

    EXPECT_THAT(fake.log, Contains("Buffer1.Unlock(10, 23, 0, 10)"));
    std::string samples = Samples(33);
    EXPECT_EQ(Bytes(samples.substr(23) + samples.substr(0, 23)), BufferIn(0)->bytes);
}

// A platform that hands back a longer lock than asked gets no more than the sound:
// nothing is read past the block, nothing written past the buffer's data.
struct LockCase {
    const char* name;
    DWORD dwWriteCursor;
};

class OverreachingLockTest : public WaveTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(OverreachingLockTest, GetsTheSoundAndNothingMore)
{
    const DWORD OVERREACH = 16;
    fake.dwNextWriteCursor = GetParam().dwWriteCursor;
    fake.dwNextLockOverreach = OVERREACH;

    ASSERT_EQ(0, Load());

    std::string samples = Samples(33);
    size_t nFirstPart = samples.size() - GetParam().dwWriteCursor;
    EXPECT_EQ(Bytes(samples.substr(nFirstPart) + samples.substr(0, nFirstPart) +
                    std::string(OVERREACH, static_cast<char>(FakeSoundBuffer::GUARD))),
              BufferIn(0)->bytes);
}

// The write cursor at the start (one part) and inside the buffer (two parts).
INSTANTIATE_TEST_SUITE_P(OnePartAndTwo, OverreachingLockTest,
                         ::testing::Values(LockCase{"OnePart", 0}, LockCase{"TwoParts", 10}), CaseName());

struct BufferFailure {
    const char* name;
    const char* key;
    HRESULT hr;
    int nResult;
    bool bBuffer;
};

void PrintTo(const BufferFailure& failure, std::ostream* out)
{
    *out << failure.key << " answering " << std::hex << failure.hr;
}

class BufferFailureTest : public WaveTest, public ::testing::WithParamInterface<BufferFailure> {};

TEST_P(BufferFailureTest, OnlyANegativeResultFailsAndTheSlotStaysTaken)
{
    fake.answers[GetParam().key] = GetParam().hr;

    EXPECT_EQ(GetParam().nResult, Load());

    EXPECT_EQ(WAVE_LOADED, g_waveSlots[0].nState);
    EXPECT_EQ(GetParam().bBuffer, g_waveSlots[0].pBuffer != nullptr);
    fake.answers.clear();
    EXPECT_EQ(1, Load()) << "the next load takes the next slot";
    g_media.ReleaseAllWaves();
    EXPECT_EQ(0, Load()) << "until the slot is released";
}

INSTANTIATE_TEST_SUITE_P(
    CreateLockUnlock, BufferFailureTest,
    ::testing::Values(BufferFailure{"CreateFails", "DirectSound.CreateSoundBuffer", DSERR_OUTOFMEMORY, NO_SLOT, false},
                      BufferFailure{"LockFails", "Buffer.Lock", DSERR_INVALIDPARAM, NO_SLOT, true},
                      BufferFailure{"UnlockFails", "Buffer.Unlock", DSERR_INVALIDCALL, NO_SLOT, true},
                      BufferFailure{"CreateSucceedsOtherwise", "DirectSound.CreateSoundBuffer", DS_NO_VIRTUALIZATION, 0, true},
                      BufferFailure{"LockAnswersSFalse", "Buffer.Lock", S_FALSE, 0, true},
                      BufferFailure{"UnlockAnswersSFalse", "Buffer.Unlock", S_FALSE, 0, true}),
    CaseName());

struct Setter {
    const char* name;
    const char* key;
    BOOL (*set)(int nSlot);
    const char* call;
};

const Setter SETTERS[] = {
    {"Volume", "Buffer.SetVolume", [](int nSlot) { return g_media.SetWaveVolume(nSlot, 50); }, "Buffer1.SetVolume(-1500)"},
    {"Frequency", "Buffer.SetFrequency", [](int nSlot) { return g_media.SetWaveFrequency(nSlot, 22050); },
     "Buffer1.SetFrequency(22050)"},
    {"Pan", "Buffer.SetPan", [](int nSlot) { return g_media.SetWavePan(nSlot, -2500); }, "Buffer1.SetPan(-2500)"},
};

void PrintTo(const Setter& setter, std::ostream* out)
{
    *out << setter.name;
}

class SetterTest : public WaveTest, public ::testing::WithParamInterface<std::tuple<Setter, HRESULT>> {};

TEST_P(SetterTest, SucceedsOnlyOnExactlyDsOk)
{
    const Setter& setter = std::get<0>(GetParam());
    HRESULT hr = std::get<1>(GetParam());
    ASSERT_EQ(0, Load(DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN));
    fake.log.clear();
    fake.answers[setter.key] = hr;

    EXPECT_EQ(hr == DS_OK ? 1 : 0, setter.set(0));
    EXPECT_THAT(fake.log, ElementsAre(setter.call));
}

INSTANTIATE_TEST_SUITE_P(EachAnswer, SetterTest,
                         ::testing::Combine(::testing::ValuesIn(SETTERS),
                                            ::testing::Values(DS_OK, DS_NO_VIRTUALIZATION, S_FALSE,
                                                              DSERR_CONTROLUNAVAIL)),
                         [](const ::testing::TestParamInfo<std::tuple<Setter, HRESULT>>& info) {
                             return std::string(std::get<0>(info.param).name) + std::to_string(info.index);
                         });

TEST_F(WaveTest, VolumeIsThirtyHundredthsOfADecibelPerPercentBelowFull)
{
    ASSERT_EQ(0, Load(DSBCAPS_CTRLVOLUME));
    fake.log.clear();

    for (int nPercent : {100, 99, 50, 0, 101, INT_MIN}) {
        g_media.SetWaveVolume(0, nPercent);
    }

    EXPECT_THAT(fake.log, ElementsAre("Buffer1.SetVolume(0)", "Buffer1.SetVolume(-30)", "Buffer1.SetVolume(-1500)",
                                      "Buffer1.SetVolume(-3000)", "Buffer1.SetVolume(30)",
                                      "Buffer1.SetVolume(-3000)"))
        << "the last wraps like a 32-bit product";
}

TEST_F(WaveTest, PlayRewindsFirstAndDoesNotStartAfterAFailedRewind)
{
    ASSERT_EQ(0, Load());
    fake.log.clear();

    EXPECT_EQ(1, g_media.PlayWave(0, DSBPLAY_LOOPING));
    EXPECT_EQ(1, g_media.PlayWave(0, 0));
    fake.answers["Buffer.SetCurrentPosition"] = S_FALSE;
    fake.answers["Buffer.Play"] = S_FALSE;
    EXPECT_EQ(1, g_media.PlayWave(0, 0)) << "only a negative result fails";
    fake.answers["Buffer.Play"] = DSERR_BUFFERLOST;
    EXPECT_EQ(0, g_media.PlayWave(0, 0));
    fake.answers["Buffer.SetCurrentPosition"] = DSERR_INVALIDCALL;
    EXPECT_EQ(0, g_media.PlayWave(0, 0));

    EXPECT_THAT(fake.log, ElementsAre("Buffer1.SetCurrentPosition(0)", "Buffer1.Play(0, 0, 1)",
                                      "Buffer1.SetCurrentPosition(0)", "Buffer1.Play(0, 0, 0)",
                                      "Buffer1.SetCurrentPosition(0)", "Buffer1.Play(0, 0, 0)",
                                      "Buffer1.SetCurrentPosition(0)", "Buffer1.Play(0, 0, 0)",
                                      "Buffer1.SetCurrentPosition(0)"));
}

TEST_F(WaveTest, StopRewindsAndStatusIsTheBuffersOwn)
{
    ASSERT_EQ(0, Load());
    g_media.PlayWave(0, DSBPLAY_LOOPING);
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING), g_media.GetWaveStatus(0));
    fake.log.clear();
    fake.answers["Buffer.Stop"] = DSERR_INVALIDCALL;

    EXPECT_EQ(1, g_media.StopWave(0));

    EXPECT_THAT(fake.log, ElementsAre("Buffer1.Stop()", "Buffer1.SetCurrentPosition(0)"))
        << "rewound whatever the stop answered";
    EXPECT_EQ(0u, g_media.GetWaveStatus(0));
    BufferIn(0)->dwStatus = DSBSTATUS_BUFFERLOST;
    fake.answers["Buffer.GetStatus"] = DSERR_INVALIDCALL;
    EXPECT_EQ(0u, g_media.GetWaveStatus(0)) << "a failing GetStatus reports no flag";
}

class EmptyWaveSlotTest : public WaveTest, public ::testing::WithParamInterface<EmptySlot> {};

TEST_P(EmptyWaveSlotTest, GivesTheNoBufferResultsAndCallsNothing)
{
    ASSERT_EQ(0, Load());
    ASSERT_EQ(1, Load());
    ASSERT_EQ(1, g_media.ReleaseWave(1));
    fake.log.clear();
    WAVESLOT before[WAVE_SLOT_COUNT];
    std::memcpy(before, g_waveSlots, sizeof before);

    EXPECT_EQ(1, g_media.PlayWave(GetParam().nSlot, 0));
    EXPECT_EQ(1, g_media.StopWave(GetParam().nSlot));
    EXPECT_EQ(0, g_media.SetWaveVolume(GetParam().nSlot, 100));
    EXPECT_EQ(0, g_media.SetWaveFrequency(GetParam().nSlot, 11025));
    EXPECT_EQ(0, g_media.SetWavePan(GetParam().nSlot, 0));
    EXPECT_EQ(0xFFFFFFFFu, g_media.GetWaveStatus(GetParam().nSlot));
    EXPECT_EQ(1, g_media.ReleaseWave(GetParam().nSlot));

    EXPECT_THAT(fake.log, IsEmpty());
    EXPECT_EQ(0, std::memcmp(before, g_waveSlots, sizeof before));
}

INSTANTIATE_TEST_SUITE_P(ReleasedNoSlotAndBeyond, EmptyWaveSlotTest,
                         ::testing::Values(EmptySlot{"Released", 1}, EmptySlot{"NoSlot", NO_SLOT},
                                           EmptySlot{"PastTheTable", 256}),
                         CaseName());

TEST_F(WaveTest, ReleaseFreesTheSlotForTheNextLoadAndKeepsItsIndex)
{
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(i, Load());
    }
    fake.log.clear();

    EXPECT_EQ(1, g_media.ReleaseWave(5));

    EXPECT_THAT(fake.log, ElementsAre("Buffer6.Stop()", "Buffer6.SetCurrentPosition(0)", "Buffer6.Release()"));
    EXPECT_EQ(WAVE_FREE, g_waveSlots[5].nState);
    EXPECT_EQ(33u, g_waveSlots[5].dwDataSize);
    EXPECT_EQ(11025u, g_waveSlots[5].dwSampleRate);
    EXPECT_EQ(5, g_waveSlots[5].nIndex);
    EXPECT_EQ(5, Load());
    fake.log.clear();
    EXPECT_EQ(1, g_media.ReleaseAllWaves());
    ASSERT_EQ(30u, fake.log.size()) << "each buffer stopped, rewound and released";
    EXPECT_THAT(std::vector<std::string>(fake.log.begin(), fake.log.begin() + 3),
                ElementsAre("Buffer1.Stop()", "Buffer1.SetCurrentPosition(0)", "Buffer1.Release()"));
    EXPECT_EQ("Buffer10.Release()", fake.log.back()) << "slot by slot from 0 up";
    EXPECT_EQ(0, Load());
    EXPECT_THAT(fake.Unreleased(), ElementsAre("DirectSound1", "Performance1", "Loader1", "Buffer12"));
}

TEST_F(WaveTest, WithAllSlotsTakenALoadOpensNoFileAndCallsNothing)
{
    for (int i = 0; i < 255; ++i) {
        g_waveSlots[i].nState = WAVE_LOADED;
    }
    ASSERT_EQ(255, Load()) << "the last of the 256 slots";
    fake.log.clear();

    EXPECT_EQ(NO_SLOT, Load());
    EXPECT_THAT(fake.log, IsEmpty());
}

TEST_F(WaveTest, WithNothingLoadedStopAllAndReleaseAllCallNothing)
{
    EXPECT_EQ(1, g_media.StopAllWaves());
    EXPECT_EQ(1, g_media.ReleaseAllWaves());
    EXPECT_THAT(fake.log, IsEmpty());
}

TEST(WaveWithoutDirectSound, ALoadFailsWithoutTakingASlot)
{
    FakePlatform fake;
    ResetAudioLibrary();
    TempFolder folder;
    std::string wave = folder.Write("valid.wav", ValidWave());
    EXPECT_EQ(NO_SLOT, g_media.LoadWave(wave.c_str(), 0));

    fake.answers["DirectSoundCreate"] = DSERR_NODRIVER;
    g_media.InitAudio(fake.hWnd);
    EXPECT_EQ(NO_SLOT, g_media.LoadWave(wave.c_str(), 0));
    EXPECT_EQ(WAVE_FREE, g_waveSlots[0].nState);
    g_media.ShutdownAudio();
}
