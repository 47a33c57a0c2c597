// Watches the media library's audio on the real platform. While it exists, the
// DirectSound and DirectMusic objects that the library makes through its platform
// seam come wrapped: every call the library makes on them is written to a CallLog
// ("Performance.CloseDown", "Buffer.Stop", "song1.mid.SetParam(Unload)") and passed on
// to the real object.
//
// One answer is the test's own: the platform here reports every song as not playing,
// so the performance's IsPlaying answers from a script instead. A song sounds from
// the moment it is started until the test ends it or the library stops it.
#pragma once
#include "CallLog.h"
#include "MediaPlatform.h"

class AudioSpy {
public:
    explicit AudioSpy(CallLog& log);
    ~AudioSpy();
    AudioSpy(const AudioSpy&) = delete;
    AudioSpy& operator=(const AudioSpy&) = delete;

    // The song that sounds comes to its end.
    void EndSong();

private:
    MediaPlatform m_saved;
};
