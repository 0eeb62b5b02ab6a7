#pragma once
// The pictures of one paint manager's skin: each file decoded once, through the system's
// imaging component, into a premultiplied 32-bit bitmap kept until the manager goes, and
// drawn from there. A file that cannot be had is remembered as such and not tried again.
// Pictures are kept at the device's scale: resampled once when decoded (from the 1x file
// or, at high DPI, its @2x twin), they are then drawn with the value's numbers scaled the
// same way, corners 1:1.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/win/Handles.h"

namespace DuiLib {

struct ImageBox;
struct ImageValue;
struct PictureLimits;
class CPictureDecoder;

struct SkinPicture {
    gs::UniqueBitmap bitmap; // a top-down DIB section, premultiplied BGRA
    int width = 0;
    int height = 0;
    bool opaque = false; // no pixel lets anything through: copied, not blended
};

class CSkinImages {
public:
    CSkinImages();
    CSkinImages(const CSkinImages&) = delete;
    CSkinImages& operator=(const CSkinImages&) = delete;
    ~CSkinImages();

    // Pictures larger than this on a side, or in decoded bytes, are not drawn; nor is any
    // picture once the skin's pictures together would pass the skin's bound.
    static constexpr int kMaxSide = 16384;
    static constexpr std::size_t kMaxPictureBytes = 64u << 20;
    static constexpr std::size_t kMaxSkinBytes = 256u << 20;

    // Draws the image into `control` (client coordinates) as its value says; nothing when
    // the picture cannot be had or the value does not fit it.
    void Draw(HDC dc, const RECT& control, const ImageValue& image);
    // Pictures are drawn for this DPI from here on (one the paint manager accepts). Those
    // of another DPI are let go, and leave the skin's bound.
    void SetDpi(int dpi);
    // How many files have been decoded (each at most once per mask and DPI; at high DPI a
    // twin tried counts, found or not).
    int DecodeCount() const { return m_decodes; }

private:
    const SkinPicture* Find(const ImageValue& image);
    std::unique_ptr<SkinPicture> Load(const ImageValue& image);
    std::unique_ptr<SkinPicture> Decode(const std::wstring& file, const ImageValue& image);
    bool ScaleToDevice(SkinPicture& picture, int naturalScale) const;
    PictureLimits Limits() const;
    ImageBox ToDevice(const ImageBox& box) const;

    std::map<std::wstring, std::unique_ptr<SkinPicture>> m_pictures; // null: cannot be had
    std::size_t m_decodedBytes = 0; // of the pictures kept, at the device's scale
    int m_decodes = 0;
    int m_dpi = 96;
    gs::UniqueMemoryDC m_source;                // selects a picture to blend from
    std::unique_ptr<CPictureDecoder> m_decoder; // made for the first picture
};

} // namespace DuiLib
