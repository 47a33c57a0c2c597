// The RIFF/WAVE reader on the fake DirectSound: the table of crafted files, and
// mutations of a valid file that must never leave the slot table inconsistent.
#include "AudioTestSupport.h"
#include <random>

namespace {

std::vector<BYTE> FakeContents(IDirectSoundBuffer* pBuffer)
{
    return static_cast<FakeSoundBuffer*>(pBuffer)->bytes;
}

class RiffOnFakeTest : public FakeAudioTest, public ::testing::WithParamInterface<WaveCase> {};

}  // namespace

TEST_P(RiffOnFakeTest, GivesTheResultAndSlotOfItsFile)
{
    Start();
    TempFolder folder;
    ExpectLoadAsCase(GetParam(), folder, &FakeContents);

    g_media.ReleaseAllWaves();
    EXPECT_THAT(fake.Unreleased(), ::testing::ElementsAre("DirectSound1", "Performance1", "Loader1"))
        << "every file closed, every buffer released";
}

INSTANTIATE_TEST_SUITE_P(CraftedFiles, RiffOnFakeTest, ::testing::ValuesIn(WaveCases()),
                         CaseName());

namespace {

// A few bytes overwritten with random values, and now and then the file cut short.
std::string Mutate(const std::string& valid, std::mt19937& random)
{
    std::string file = valid;
    int nChanges = std::uniform_int_distribution<int>(1, 4)(random);
    for (int i = 0; i < nChanges; ++i) {
        size_t nAt = std::uniform_int_distribution<size_t>(0, file.size() - 1)(random);
        file[nAt] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    }
    if (std::uniform_int_distribution<int>(0, 7)(random) == 0) {
        file.resize(std::uniform_int_distribution<size_t>(0, file.size())(random));
    }
    return file;
}

int LowestFreeSlot()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        if (g_waveSlots[i].nState == WAVE_FREE) {
            return i;
        }
    }
    return NO_SLOT;
}

// A free slot holds no buffer, every buffer held is alive, and every slot keeps its index.
::testing::AssertionResult TableIsConsistent()
{
    for (int i = 0; i < WAVE_SLOT_COUNT; ++i) {
        const WAVESLOT& slot = g_waveSlots[i];
        if (slot.nIndex != i || (slot.nState != WAVE_FREE && slot.nState != WAVE_LOADED) ||
            (slot.nState == WAVE_FREE && slot.pBuffer) ||
            (slot.pBuffer && static_cast<FakeSoundBuffer*>(slot.pBuffer)->Refs() != 1)) {
            return ::testing::AssertionFailure() << "slot " << i;
        }
    }
    return ::testing::AssertionSuccess();
}

using MutationTest = FakeAudioTest;

}  // namespace

TEST_F(MutationTest, TwoThousandMutatedFilesKeepTheTableConsistent)
{
    Start();
    TempFolder folder;
    const std::string valid = ValidWave();
    std::mt19937 random(20261210);

    for (int i = 0; i < 2000; ++i) {
        std::string path = folder.Write("mutant.wav", Mutate(valid, random));
        int nFree = LowestFreeSlot();

        int nSlot = g_media.LoadWave(path.c_str(), 0);

        ASSERT_TRUE(nSlot == NO_SLOT || nSlot == nFree) << "mutation " << i;
        if (nSlot != NO_SLOT) {
            ASSERT_NE(nullptr, g_waveSlots[nSlot].pBuffer) << "mutation " << i;
        }
        ASSERT_TRUE(TableIsConsistent()) << "mutation " << i;
        if (i % 64 == 63) {
            g_media.ReleaseAllWaves();
        }
    }
    g_media.ReleaseAllWaves();

    EXPECT_THAT(fake.Unreleased(), ::testing::ElementsAre("DirectSound1", "Performance1", "Loader1"));
}
