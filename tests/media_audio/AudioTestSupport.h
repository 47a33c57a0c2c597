// What the audio tests share: putting the library back into its program-start
// state, a folder for the files they write, and fixtures on the fakes.
#pragma once
#include "FakePlatform.h"
#include "WaveBuilder.h"
#include "CaseName.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

// Shuts the audio down with whatever platform is installed, then clears every table
// and sets the one-time flag again, as at program start.
void ResetAudioLibrary();

// A fresh folder under the temporary folder, removed with what was written into it.
// A slot number that names no loaded slot: a freed one, NO_SLOT, one past the table.
struct EmptySlot {
    const char* name;
    int nSlot;
};

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes the bytes into a file of that name and gives its full path.
    std::string Write(const std::string& name, const std::string& bytes);
    std::string PathOf(const std::string& name) const { return m_path + "\\" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The library on the fakes, back at program start for every test.
class FakeAudioTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAudioLibrary(); }
    void TearDown() override { g_media.ShutdownAudio(); }

    // A start-up that the test does not look at: only what follows is logged.
    void Start()
    {
        ASSERT_EQ(1, g_media.InitAudio(fake.hWnd));
        fake.log.clear();
    }

    FakePlatform fake;
};

// A window that is never shown: all that DirectSound and DirectMusic need of one.
class HiddenWindow {
public:
    HiddenWindow();
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

void PrintTo(const WaveCase& wave, std::ostream* out);

// LoadWave on a thread of its own, given a few seconds. A load that has not come
// back by then is stuck for good: the test program ends at once with a failure line.
int LoadWaveWithinTimeLimit(const std::string& path, DWORD dwExtraFlags);

// Loads the case's file into the first slot within the time limit and checks the
// result and what the slot holds afterwards, then that a valid file still loads into
// the next free slot; contents reads a buffer's bytes back from the platform.
void ExpectLoadAsCase(const WaveCase& wave, TempFolder& folder,
                      std::vector<BYTE> (*contents)(IDirectSoundBuffer* pBuffer));
