// The imaging component gives straight (not premultiplied) BGRA, so that the mask can
// compare a pixel's own colour; premultiplying comes after, as AlphaBlend needs it.
#include "platform/ui/PictureDecode.h"

#include "platform/win/ComPtr.h"
#include "platform/win/ResultMacros.h"

#include <algorithm>
#include <string_view>

namespace DuiLib {

namespace {

// The decoder of the four formats a skin may use, chosen by the file's signature. Asking
// the factory to find one instead costs a search of every registered codec, tens of
// milliseconds at start-up.
const CLSID* DecoderOf(const std::string& bytes) {
    constexpr std::string_view kPng("\x89PNG\r\n\x1A\n", 8);
    const std::string_view head(bytes.data(), std::min<std::size_t>(bytes.size(), 8));
    if (head == kPng)
        return &CLSID_WICPngDecoder;
    if (head.starts_with("BM"))
        return &CLSID_WICBmpDecoder;
    if (head.starts_with("\xFF\xD8\xFF"))
        return &CLSID_WICJpegDecoder;
    if (head.starts_with("GIF87a") || head.starts_with("GIF89a"))
        return &CLSID_WICGifDecoder;
    return nullptr;
}

// True when every pixel is left opaque.
bool MaskAndPremultiply(std::uint32_t* pixels, std::size_t count, bool hasMask,
                        std::uint32_t mask) {
    bool opaque = true;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t pixel = pixels[i];
        if (hasMask && (pixel & 0xFFFFFF) == (mask & 0xFFFFFF))
            pixel = 0;
        const std::uint32_t alpha = pixel >> 24;
        opaque = opaque && alpha == 0xFF;
        const auto scaled = [alpha](std::uint32_t channel) {
            return (channel * alpha + 127) / 255;
        };
        pixels[i] = alpha << 24 | scaled(pixel >> 16 & 0xFF) << 16 |
                    scaled(pixel >> 8 & 0xFF) << 8 | scaled(pixel & 0xFF);
    }
    return opaque;
}

} // namespace

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

CPictureDecoder::CPictureDecoder()
    : m_apartment(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
    (void)::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IWICImagingFactory, m_factory.put_void()); // none: no pictures
}

CPictureDecoder::~CPictureDecoder() {
    m_decoderClasses.clear(); // before the apartment they live in
    m_factory.reset();
    if (SUCCEEDED(m_apartment))
        ::CoUninitialize();
}

// Each format's class is looked up once: a look-up goes through the registry.
HRESULT CPictureDecoder::DecoderClass(const CLSID& format, gs::ComPtr<IClassFactory>& found) {
    for (const auto& [clsid, known] : m_decoderClasses) {
        if (::IsEqualCLSID(*clsid, format)) {
            found = known;
            return S_OK;
        }
    }
    GS_RETURN_IF_FAILED(::CoGetClassObject(format, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                           found.put_void()));
    m_decoderClasses.emplace_back(&format, found);
    return S_OK;
}

HRESULT CPictureDecoder::OpenFrame(const std::string& bytes,
                                   gs::ComPtr<IWICBitmapFrameDecode>& frame) {
    const CLSID* format = DecoderOf(bytes);
    gs::ComPtr<IClassFactory> decoderClass;
    if (!m_factory || !format)
        return WINCODEC_ERR_COMPONENTNOTFOUND;
    gs::ComPtr<IWICStream> stream;
    GS_RETURN_IF_FAILED(m_factory->CreateStream(stream.put()));
    auto* data = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()));
    GS_RETURN_IF_FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size())));
    gs::ComPtr<IWICBitmapDecoder> decoder;
    GS_RETURN_IF_FAILED(DecoderClass(*format, decoderClass));
    GS_RETURN_IF_FAILED(
        decoderClass->CreateInstance(nullptr, IID_IWICBitmapDecoder, decoder.put_void()));
    GS_RETURN_IF_FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand));
    return decoder->GetFrame(0, frame.put());
}

HRESULT CPictureDecoder::Decode(const std::string& bytes, const PictureLimits& limits, bool hasMask,
                                std::uint32_t mask, SkinPicture& picture) {
    gs::ComPtr<IWICBitmapFrameDecode> frame;
    GS_RETURN_IF_FAILED(OpenFrame(bytes, frame));
    UINT width = 0, height = 0;
    GS_RETURN_IF_FAILED(frame->GetSize(&width, &height));
    if (!limits.Admit(width, height))
        return E_INVALIDARG;
    gs::ComPtr<IWICFormatConverter> converter;
    GS_RETURN_IF_FAILED(m_factory->CreateFormatConverter(converter.put()));
    GS_RETURN_IF_FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                              WICBitmapDitherTypeNone, nullptr, 0,
                                              WICBitmapPaletteTypeCustom));
    void* bits = nullptr;
    GS_RETURN_IF_FAILED(
        CreatePictureBitmap(static_cast<int>(width), static_cast<int>(height), picture, bits));
    const UINT stride = width * 4;
    GS_RETURN_IF_FAILED(
        converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)));
    picture.opaque = MaskAndPremultiply(static_cast<std::uint32_t*>(bits),
                                        std::size_t{width} * height, hasMask, mask);
    return S_OK;
}

} // namespace DuiLib
