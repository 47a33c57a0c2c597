// The floor reaches the audio through the library, but its table names only the entry
// points of the calls it makes: it imports those calls' DLLs and no other, whatever
// the library's own table names. Defined here, the library's table is not linked in.
#include "MediaPlatform.h"
#include <direct.h>

MediaPlatform RealMediaPlatform()
{
    MediaPlatform p = {};
    p.DirectSoundCreate = &::DirectSoundCreate;
    p.CoInitialize = &::CoInitialize;
    p.CoUninitialize = &::CoUninitialize;
    p.CoCreateInstance = &::CoCreateInstance;
    p.GetCwd = &::_getcwd;
    return p;
}

MediaPlatform g_mediaPlatform = RealMediaPlatform();
