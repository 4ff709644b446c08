#include "viewer/win/picture.h"

#include <wincodec.h>

#include <vector>

#include "viewer/window_place_rule.h"

namespace {
std::wstring widePath(const std::string& path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, out.data(), n);
    return out;
}
}  // namespace

bool Picture::load(const std::string& path) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.out())))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    const std::wstring file = widePath(path);
    if (FAILED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand,
                                                  reinterpret_cast<IWICBitmapDecoder**>(decoder.out()))))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, reinterpret_cast<IWICBitmapFrameDecode**>(frame.out()))))
        return false;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(reinterpret_cast<IWICFormatConverter**>(converter.out()))) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > 30000 || height > 30000)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                     static_cast<BYTE*>(bits))))
        return false;
    bitmap_ = std::move(bitmap);
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    return true;
}

void Picture::draw(HDC dc, int clientWidth, int clientHeight) const {
    if (!bitmap_) return;
    const ScreenBox box = pictureBox(clientWidth, clientHeight, width_, height_);
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    {
        SelectedObject selected(memory, bitmap_.get());
        SetStretchBltMode(dc, HALFTONE);
        // Alpha over the black background, so a transparent PNG shows its shape.
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, box.left, box.top, box.width, box.height, memory, 0, 0, width_, height_,
                   blend);
    }
    DeleteDC(memory);
}
