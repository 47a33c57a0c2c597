// Recording fakes of the DirectDraw and DirectInput objects the library holds, and of the
// platform entry points that hand them out. Every call the library makes on a fake is
// written to one log, in order, so a test sees the calls, their arguments and their order.
#pragma once
#include "MediaPlatform.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <array>
#include <deque>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// The calls made on every fake since the test began.
std::vector<std::string>& Calls();
// The log entries that begin with the given text, in order.
std::vector<std::string> CallsStartingWith(const std::string& prefix);

template <typename T> Bytes BytesOf(const T& record)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&record);
    return Bytes(p, p + sizeof record);
}

// A record of zero bytes with 32-bit values written at the given byte offsets.
Bytes RecordWith(size_t size, std::initializer_list<std::pair<size_t, DWORD>> fields);

std::string RectText(const RECT* rc);

#define QM_NOT_CALLED(method, params) \
    STDMETHOD(method) params override { return E_NOTIMPL; }

// A COM object of the given interface that counts its references and logs each release.
template <typename Interface> class Recorded : public Interface {
public:
    explicit Recorded(const char* pszName) : name(pszName) {}
    STDMETHOD_(HRESULT, QueryInterface)(REFIID, void**) override { return E_NOTIMPL; }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++refs); }
    STDMETHOD_(ULONG, Release)() override
    {
        Calls().push_back(name + ".Release");
        return static_cast<ULONG>(--refs);
    }

    std::string name;
    LONG refs = 1;
};

// A surface whose device context is a real 32-bit DIB, so GDI calls made on it draw.
class FakeSurface : public Recorded<IDirectDrawSurface7> {
public:
    explicit FakeSurface(const char* pszName, int nWidth = 64, int nHeight = 32);
    ~FakeSurface();
    FakeSurface(const FakeSurface&) = delete;
    FakeSurface& operator=(const FakeSurface&) = delete;

    DWORD Pixel(int x, int y) const;

    HRESULT flipResult = DD_OK;
    HRESULT restoreResult = DD_OK;
    HRESULT getDCResult = DD_OK;
    HRESULT attachedResult = DD_OK;
    HRESULT bltResult = DD_OK;      // of Blt and BltFast alike
    HRESULT colorKeyResult = DD_OK;
    FakeSurface* attached = nullptr;
    Bytes capsGiven;
    Bytes fxGiven;
    DDCOLORKEY keyGiven = {0, 0};
    HDC hdc = nullptr;
    int width;
    int height;

    QM_NOT_CALLED(AddAttachedSurface, (LPDIRECTDRAWSURFACE7))
    QM_NOT_CALLED(AddOverlayDirtyRect, (LPRECT))
    STDMETHOD(Blt)(LPRECT, LPDIRECTDRAWSURFACE7, LPRECT, DWORD, LPDDBLTFX) override;
    QM_NOT_CALLED(BltBatch, (LPDDBLTBATCH, DWORD, DWORD))
    STDMETHOD(BltFast)(DWORD, DWORD, LPDIRECTDRAWSURFACE7, LPRECT, DWORD) override;
    QM_NOT_CALLED(DeleteAttachedSurface, (DWORD, LPDIRECTDRAWSURFACE7))
    QM_NOT_CALLED(EnumAttachedSurfaces, (LPVOID, LPDDENUMSURFACESCALLBACK7))
    QM_NOT_CALLED(EnumOverlayZOrders, (DWORD, LPVOID, LPDDENUMSURFACESCALLBACK7))
    STDMETHOD(Flip)(LPDIRECTDRAWSURFACE7, DWORD) override;
    STDMETHOD(GetAttachedSurface)(LPDDSCAPS2, LPDIRECTDRAWSURFACE7*) override;
    QM_NOT_CALLED(GetBltStatus, (DWORD))
    QM_NOT_CALLED(GetCaps, (LPDDSCAPS2))
    QM_NOT_CALLED(GetClipper, (LPDIRECTDRAWCLIPPER*))
    QM_NOT_CALLED(GetColorKey, (DWORD, LPDDCOLORKEY))
    STDMETHOD(GetDC)(HDC*) override;
    QM_NOT_CALLED(GetFlipStatus, (DWORD))
    QM_NOT_CALLED(GetOverlayPosition, (LPLONG, LPLONG))
    QM_NOT_CALLED(GetPalette, (LPDIRECTDRAWPALETTE*))
    QM_NOT_CALLED(GetPixelFormat, (LPDDPIXELFORMAT))
    QM_NOT_CALLED(GetSurfaceDesc, (LPDDSURFACEDESC2))
    QM_NOT_CALLED(Initialize, (LPDIRECTDRAW, LPDDSURFACEDESC2))
    QM_NOT_CALLED(IsLost, ())
    QM_NOT_CALLED(Lock, (LPRECT, LPDDSURFACEDESC2, DWORD, HANDLE))
    STDMETHOD(ReleaseDC)(HDC) override;
    STDMETHOD(Restore)() override;
    QM_NOT_CALLED(SetClipper, (LPDIRECTDRAWCLIPPER))
    STDMETHOD(SetColorKey)(DWORD, LPDDCOLORKEY) override;
    QM_NOT_CALLED(SetOverlayPosition, (LONG, LONG))
    QM_NOT_CALLED(SetPalette, (LPDIRECTDRAWPALETTE))
    QM_NOT_CALLED(Unlock, (LPRECT))
    QM_NOT_CALLED(UpdateOverlay, (LPRECT, LPDIRECTDRAWSURFACE7, LPRECT, DWORD, LPDDOVERLAYFX))
    QM_NOT_CALLED(UpdateOverlayDisplay, (DWORD))
    QM_NOT_CALLED(UpdateOverlayZOrder, (DWORD, LPDIRECTDRAWSURFACE7))
    QM_NOT_CALLED(GetDDInterface, (LPVOID*))
    QM_NOT_CALLED(PageLock, (DWORD))
    QM_NOT_CALLED(PageUnlock, (DWORD))
    QM_NOT_CALLED(SetSurfaceDesc, (LPDDSURFACEDESC2, DWORD))
    QM_NOT_CALLED(SetPrivateData, (REFGUID, LPVOID, DWORD, DWORD))
    QM_NOT_CALLED(GetPrivateData, (REFGUID, LPVOID, LPDWORD))
    QM_NOT_CALLED(FreePrivateData, (REFGUID))
    QM_NOT_CALLED(GetUniquenessValue, (LPDWORD))
    QM_NOT_CALLED(ChangeUniquenessValue, ())
    QM_NOT_CALLED(SetPriority, (DWORD))
    QM_NOT_CALLED(GetPriority, (LPDWORD))
    QM_NOT_CALLED(SetLOD, (DWORD))
    QM_NOT_CALLED(GetLOD, (LPDWORD))

private:
    HBITMAP m_hDib = nullptr;
    HGDIOBJ m_hOld = nullptr;
    const DWORD* m_pBits = nullptr;
};

// What one CreateSurface call answers: a result and the surface it hands out, if any.
struct SurfaceAnswer {
    HRESULT hr;
    FakeSurface* surface;
};

class FakeDirectDraw : public Recorded<IDirectDraw7> {
public:
    FakeDirectDraw() : Recorded("dd") {}
    HRESULT cooperativeResult = DD_OK;
    HRESULT displayModeResult = DD_OK;
    std::deque<SurfaceAnswer> surfaceAnswers;
    std::vector<Bytes> descsGiven;

    QM_NOT_CALLED(Compact, ())
    QM_NOT_CALLED(CreateClipper, (DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*))
    QM_NOT_CALLED(CreatePalette, (DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*))
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC2, LPDIRECTDRAWSURFACE7*, IUnknown*) override;
    QM_NOT_CALLED(DuplicateSurface, (LPDIRECTDRAWSURFACE7, LPDIRECTDRAWSURFACE7*))
    QM_NOT_CALLED(EnumDisplayModes, (DWORD, LPDDSURFACEDESC2, LPVOID, LPDDENUMMODESCALLBACK2))
    QM_NOT_CALLED(EnumSurfaces, (DWORD, LPDDSURFACEDESC2, LPVOID, LPDDENUMSURFACESCALLBACK7))
    QM_NOT_CALLED(FlipToGDISurface, ())
    QM_NOT_CALLED(GetCaps, (LPDDCAPS, LPDDCAPS))
    QM_NOT_CALLED(GetDisplayMode, (LPDDSURFACEDESC2))
    QM_NOT_CALLED(GetFourCCCodes, (LPDWORD, LPDWORD))
    QM_NOT_CALLED(GetGDISurface, (LPDIRECTDRAWSURFACE7*))
    QM_NOT_CALLED(GetMonitorFrequency, (LPDWORD))
    QM_NOT_CALLED(GetScanLine, (LPDWORD))
    QM_NOT_CALLED(GetVerticalBlankStatus, (WINBOOL*))
    QM_NOT_CALLED(Initialize, (GUID*))
    QM_NOT_CALLED(RestoreDisplayMode, ())
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD) override;
    STDMETHOD(SetDisplayMode)(DWORD, DWORD, DWORD, DWORD, DWORD) override;
    QM_NOT_CALLED(WaitForVerticalBlank, (DWORD, HANDLE))
    QM_NOT_CALLED(GetAvailableVidMem, (LPDDSCAPS2, LPDWORD, LPDWORD))
    QM_NOT_CALLED(GetSurfaceFromDC, (HDC, LPDIRECTDRAWSURFACE7*))
    QM_NOT_CALLED(RestoreAllSurfaces, ())
    QM_NOT_CALLED(TestCooperativeLevel, ())
    QM_NOT_CALLED(GetDeviceIdentifier, (LPDDDEVICEIDENTIFIER2, DWORD))
    QM_NOT_CALLED(StartModeTest, (LPSIZE, DWORD, DWORD))
    QM_NOT_CALLED(EvaluateMode, (DWORD, DWORD*))
};

using KeyState = std::array<BYTE, 256>;

// A keyboard device whose reads hand out the given states one after another (the last
// one again once they run out).
class FakeDevice : public Recorded<IDirectInputDeviceA> {
public:
    FakeDevice() : Recorded("device") {}
    HRESULT acquireResult = S_FALSE;
    HRESULT stateResult = DI_OK;
    HRESULT formatResult = DI_OK;
    HRESULT cooperativeResult = DI_OK;
    std::deque<KeyState> states;

    QM_NOT_CALLED(GetCapabilities, (LPDIDEVCAPS))
    QM_NOT_CALLED(EnumObjects, (LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD))
    QM_NOT_CALLED(GetProperty, (REFGUID, LPDIPROPHEADER))
    QM_NOT_CALLED(SetProperty, (REFGUID, LPCDIPROPHEADER))
    STDMETHOD(Acquire)() override;
    STDMETHOD(Unacquire)() override;
    STDMETHOD(GetDeviceState)(DWORD, LPVOID) override;
    QM_NOT_CALLED(GetDeviceData, (DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD))
    STDMETHOD(SetDataFormat)(LPCDIDATAFORMAT) override;
    QM_NOT_CALLED(SetEventNotification, (HANDLE))
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD) override;
    QM_NOT_CALLED(GetObjectInfo, (LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD))
    QM_NOT_CALLED(GetDeviceInfo, (LPDIDEVICEINSTANCEA))
    QM_NOT_CALLED(RunControlPanel, (HWND, DWORD))
    QM_NOT_CALLED(Initialize, (HINSTANCE, DWORD, REFGUID))
};

class FakeDirectInput : public Recorded<IDirectInputA> {
public:
    FakeDirectInput() : Recorded("di") {}
    HRESULT deviceResult = DI_OK;
    FakeDevice* device = nullptr;

    STDMETHOD(CreateDevice)(REFGUID, LPDIRECTINPUTDEVICEA*, LPUNKNOWN) override;
    QM_NOT_CALLED(EnumDevices, (DWORD, LPDIENUMDEVICESCALLBACKA, LPVOID, DWORD))
    QM_NOT_CALLED(GetDeviceStatus, (REFGUID))
    QM_NOT_CALLED(RunControlPanel, (HWND, DWORD))
    QM_NOT_CALLED(Initialize, (HINSTANCE, DWORD))
};

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// What the fake entry points answer and what they saw.
struct FakePlatformState {
    HRESULT directDrawResult = DD_OK;
    FakeDirectDraw* directDraw = nullptr;
    HRESULT directInputResult = DI_OK;
    FakeDirectInput* directInput = nullptr;
    std::deque<DWORD> ticks;
    std::vector<MessageBoxCall> boxes;
    std::vector<HBITMAP> bitmapsLoaded;
};
extern FakePlatformState g_fake;

// Puts the fake entry points in force and empties the library's globals around each test.
// Bitmap loading stays real (the fake only notes the bitmap), so files really load.
class FakePlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The display standing on fakes: the DirectDraw object, primary and back surfaces.
    void StandDisplay();

    FakeDirectDraw directDraw;
    FakeSurface primary{"primary"};
    FakeSurface back{"back", 160, 64};
    const HWND window = reinterpret_cast<HWND>(0x1234);
};
