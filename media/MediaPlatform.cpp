#include "MediaPlatform.h"
#include <direct.h>

MediaPlatform RealMediaPlatform()
{
    MediaPlatform p;
    p.DirectSoundCreate = &::DirectSoundCreate;
    p.CoInitialize = &::CoInitialize;
    p.CoUninitialize = &::CoUninitialize;
    p.CoCreateInstance = &::CoCreateInstance;
    p.GetCwd = &::_getcwd;
    p.mmioOpenA = &::mmioOpenA;
    p.mmioClose = &::mmioClose;
    p.DirectDrawCreateEx = &::DirectDrawCreateEx;
    p.GetTickCount = &::GetTickCount;
    p.LoadImageA = &::LoadImageA;
    p.DirectInputCreateA = &::DirectInputCreateA;
    p.MessageBoxA = &::MessageBoxA;
    return p;
}

MediaPlatform g_mediaPlatform = RealMediaPlatform();
