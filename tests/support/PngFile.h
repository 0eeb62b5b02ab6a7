#pragma once
// Pictures for the tests, written as PNG files by the system's imaging component.
#include <wincodec.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/ComPtr.h"
#include "platform/win/ResultMacros.h"

namespace gs::test {

// `pixels` are straight (not premultiplied) 0xAARRGGBB, row after row.
inline HRESULT WritePng(const std::wstring& path, UINT width, UINT height,
                        const std::vector<std::uint32_t>& pixels) {
    ComPtr<IWICImagingFactory> factory;
    GS_RETURN_IF_FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, factory.put_void()));
    ComPtr<IWICStream> stream;
    GS_RETURN_IF_FAILED(factory->CreateStream(stream.put()));
    GS_RETURN_IF_FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
    ComPtr<IWICBitmapEncoder> encoder;
    GS_RETURN_IF_FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()));
    GS_RETURN_IF_FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
    ComPtr<IWICBitmapFrameEncode> frame;
    GS_RETURN_IF_FAILED(encoder->CreateNewFrame(frame.put(), nullptr));
    GS_RETURN_IF_FAILED(frame->Initialize(nullptr));
    GS_RETURN_IF_FAILED(frame->SetSize(width, height));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    GS_RETURN_IF_FAILED(frame->SetPixelFormat(&format));
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.data()));
    GS_RETURN_IF_FAILED(frame->WritePixels(height, width * 4, width * height * 4, bytes));
    GS_RETURN_IF_FAILED(frame->Commit());
    return encoder->Commit();
}

// One colour all over.
inline HRESULT WriteSolidPng(const std::wstring& path, UINT width, UINT height,
                             std::uint32_t argb) {
    return WritePng(path, width, height, std::vector<std::uint32_t>(size_t{width} * height, argb));
}

} // namespace gs::test
