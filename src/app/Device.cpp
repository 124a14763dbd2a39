// The main window's device: creation with its fall-back, the fixed states and lights, release.
#include "app/FormMain.h"

#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "render/Font.h"

#include <exception>

namespace veltrane {

using namespace gfx;

bool TFormMain::InitD3D(bool fullscreen, bool hardware, bool depthBuffer, int32_t backBufferCount,
                        int32_t bits, int32_t height, int32_t width) {
    (void)depthBuffer; // the device always has a depth buffer
    (void)backBufferCount;
    DebugLog(false, " Inintialize D3D");
    // A full-screen mode needs a colour depth the display can be switched to.
    if (fullscreen && bits != 16 && bits != 32) return false;

    TDeviceRequest request;
    request.Mode = mode_;
    if (fullscreen)
        request.Mode = TWindowMode::Fullscreen;
    else if (mode_ == TWindowMode::Fullscreen)
        request.Mode = TWindowMode::Windowed;
    request.Hardware = hardware;
    request.Width = width;
    request.Height = height;
    request.Bits = bits;
    request.Caption = Caption;
    std::string error;
    D3DDevice = host_.CreateDevice(request, error);
    if (!D3DDevice) {
        DebugLog(false, " " + error);
        return false;
    }
    DebugLog(false, " D3D initialized");
    return true;
}

void TFormMain::InitRenderStates() {
    IDevice& d = *D3DDevice;
    d.SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    d.SetRenderState(D3DRS_ZENABLE, TRUE);
    d.SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    d.SetRenderState(D3DRS_LIGHTING, TRUE);
    d.SetRenderState(D3DRS_AMBIENT, 0x00666666);
    d.SetRenderState(D3DRS_EDGEANTIALIAS, FALSE);
    d.SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    d.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    d.SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    d.SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    d.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    d.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d.SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_LESS);
    d.SetRenderState(D3DRS_ALPHAREF, 10);
    d.SetRenderState(D3DRS_CLIPPLANEENABLE, 1);
    d.SetRenderState(D3DRS_CLIPPING, TRUE);
}

void TFormMain::InitLights() {
    RoomLight = D3DLIGHT8{};
    RoomLight.Type = D3DLIGHT_POINT;
    RoomLight.Diffuse = RoomLight.Specular = RoomLight.Ambient = {0.3f, 0.3f, 0.3f, 0};
    RoomLight.Position = {LookAtX, LookAtY, 10.0f};
    RoomLight.Range = 16.0f;
    RoomLight.Attenuation0 = 1.0f;

    PointerLight = D3DLIGHT8{};
    PointerLight.Type = D3DLIGHT_POINT;
    PointerLight.Diffuse = PointerLight.Specular = PointerLight.Ambient = {0.8f, 0.8f, 0.8f, 0};
    PointerLight.Position = {1.05f, 0, 0};
    PointerLight.Range = 0.6f;
    PointerLight.Attenuation0 = 0.6f;
    PointerLight.Attenuation2 = 3.0f;

    D3DDevice->SetLight(0, RoomLight);
    D3DDevice->SetLight(1, PointerLight);
    D3DDevice->LightEnable(0, true);
    D3DDevice->LightEnable(1, true);
}

void TFormMain::CloseDGfx() {
    try {
        DebugLog(false, " Closing DGfx");
        FreeFontTextures(Fonts);
        DebugLog(false, " Font released");
        VB.reset();
        DebugLog(false, " VB released");
        D3DDevice.reset();
        DebugLog(false, " D3DDevice released");
        // The device's context and window went with it.
        DebugLog(false, " D3D released");
    } catch (const std::exception&) {
        try {
            DebugLog(false, " D3D released with exception");
        } catch (const std::exception&) {
        }
    }
}

void TFormMain::ReportError(const std::string& caption, HRESULT code) {
    Active = false;
    ShowMessageBox(host_.MessageOwner(), caption, ErrorDescription(code), TMessageIcon::Error);
}

void TFormMain::FatalError(const std::string& text) {
    ShowMessageBox(nullptr, "Error", text, TMessageIcon::Error);
    host_.Terminate();
}

} // namespace veltrane
