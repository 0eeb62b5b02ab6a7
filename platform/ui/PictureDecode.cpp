// The imaging component gives straight (not premultiplied) BGRA, so that the mask can
// compare a pixel's own colour; premultiplying comes after, as AlphaBlend needs it.
#include "platform/ui/PictureDecode.h"

#include <wincodec.h>

#include "platform/win/ComPtr.h"
#include "platform/win/ResultMacros.h"
#include "platform/win/ScopeGuard.h"

namespace DuiLib {

namespace {

HRESULT OpenFrame(const std::string& bytes, gs::ComPtr<IWICImagingFactory>& factory,
                  gs::ComPtr<IWICBitmapFrameDecode>& frame) {
    GS_RETURN_IF_FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, factory.put_void()));
    gs::ComPtr<IWICStream> stream;
    GS_RETURN_IF_FAILED(factory->CreateStream(stream.put()));
    auto* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
    GS_RETURN_IF_FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size())));
    gs::ComPtr<IWICBitmapDecoder> decoder;
    GS_RETURN_IF_FAILED(factory->CreateDecoderFromStream(
        stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()));
    return decoder->GetFrame(0, frame.put());
}

HRESULT CreatePictureBitmap(int width, int height, SkinPicture& picture, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    picture.bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap || !bits)
        return E_OUTOFMEMORY;
    picture.width = width;
    picture.height = height;
    return S_OK;
}

void MaskAndPremultiply(std::uint32_t* pixels, std::size_t count, bool hasMask,
                        std::uint32_t mask) {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t pixel = pixels[i];
        if (hasMask && (pixel & 0xFFFFFF) == (mask & 0xFFFFFF)) {
            pixels[i] = 0;
            continue;
        }
        const std::uint32_t alpha = pixel >> 24;
        const auto scaled = [alpha](std::uint32_t channel) {
            return (channel * alpha + 127) / 255;
        };
        pixels[i] = alpha << 24 | scaled(pixel >> 16 & 0xFF) << 16 |
                    scaled(pixel >> 8 & 0xFF) << 8 | scaled(pixel & 0xFF);
    }
}

} // namespace

HRESULT DecodePicture(const std::string& bytes, const PictureLimits& limits, bool hasMask,
                      std::uint32_t mask, SkinPicture& picture) {
    // The thread may not have COM yet (a window of its own before the shell's start-up
    // code ran, say); the decoder needs it only for the length of this call.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const gs::ScopeGuard uninitialize([com] {
        if (SUCCEEDED(com))
            ::CoUninitialize();
    });
    gs::ComPtr<IWICImagingFactory> factory;
    gs::ComPtr<IWICBitmapFrameDecode> frame;
    GS_RETURN_IF_FAILED(OpenFrame(bytes, factory, frame));
    UINT width = 0, height = 0;
    GS_RETURN_IF_FAILED(frame->GetSize(&width, &height));
    const auto side = static_cast<UINT>(limits.maxSide);
    if (width == 0 || height == 0 || width > side || height > side ||
        std::size_t{width} * height > limits.maxBytes / 4)
        return E_INVALIDARG;
    gs::ComPtr<IWICFormatConverter> converter;
    GS_RETURN_IF_FAILED(factory->CreateFormatConverter(converter.put()));
    GS_RETURN_IF_FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                              WICBitmapDitherTypeNone, nullptr, 0,
                                              WICBitmapPaletteTypeCustom));
    void* bits = nullptr;
    GS_RETURN_IF_FAILED(
        CreatePictureBitmap(static_cast<int>(width), static_cast<int>(height), picture, bits));
    const UINT stride = width * 4;
    GS_RETURN_IF_FAILED(
        converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)));
    MaskAndPremultiply(static_cast<std::uint32_t*>(bits), std::size_t{width} * height, hasMask,
                       mask);
    return S_OK;
}

} // namespace DuiLib
