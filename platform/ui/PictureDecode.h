#pragma once
// Decoding a picture file's bytes (PNG, BMP, JPEG, GIF's first frame, whatever the
// system's imaging component reads) into a premultiplied 32-bit top-down bitmap.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <wincodec.h>

#include "platform/ui/SkinImages.h"
#include "platform/win/ComPtr.h"

namespace DuiLib {

struct PictureLimits {
    int maxSide;
    std::size_t maxBytes; // decoded

    // Sides are taken in 64 bits: a picture scaled for a DPI may be asked for at any size.
    bool Admit(std::uint64_t width, std::uint64_t height) const {
        const auto side = static_cast<std::uint64_t>(maxSide);
        return width > 0 && height > 0 && width <= side && height <= side &&
               width * height <= maxBytes / 4;
    }
};

// Gives `picture` a new top-down 32-bit DIB section of that size; `bits` are its pixels.
HRESULT CreatePictureBitmap(int width, int height, SkinPicture& picture, void*& bits);

// One imaging component for all the pictures of a skin. The thread may not have COM yet
// (a window made before the program's own start-up code ran, say): the decoder then
// holds an apartment of its own for its life, which must end on the same thread.
class CPictureDecoder {
public:
    CPictureDecoder();
    CPictureDecoder(const CPictureDecoder&) = delete;
    CPictureDecoder& operator=(const CPictureDecoder&) = delete;
    ~CPictureDecoder();

    // With `hasMask`, pixels of the mask's colour (its RGB) become transparent. Fails for
    // bytes that are no picture, a picture over the limits, or no memory.
    HRESULT Decode(const std::string& bytes, const PictureLimits& limits, bool hasMask,
                   std::uint32_t mask, SkinPicture& picture);

private:
    HRESULT OpenFrame(const std::string& bytes, gs::ComPtr<IWICBitmapFrameDecode>& frame);
    HRESULT DecoderClass(const CLSID& format, gs::ComPtr<IClassFactory>& found);

    HRESULT m_apartment;
    gs::ComPtr<IWICImagingFactory> m_factory;
    std::vector<std::pair<const CLSID*, gs::ComPtr<IClassFactory>>> m_decoderClasses;
};

} // namespace DuiLib
