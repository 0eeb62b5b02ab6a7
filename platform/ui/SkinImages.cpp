#include "platform/ui/SkinImages.h"

#include <algorithm>
#include <span>

#include "platform/ui/DpiScale.h"
#include "platform/ui/ImageValue.h"
#include "platform/ui/NineGrid.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/PictureDecode.h"
#include "platform/ui/PictureResample.h"
#include "platform/ui/PictureScale.h"
#include "platform/win/WholeFile.h"

namespace DuiLib {

namespace {

// The cache holds one DPI's pictures (SetDpi empties it), so the file named and its mask
// settle which picture a value needs.
std::wstring PictureKey(const ImageValue& image) {
    return image.hasMask ? image.file + L'|' + std::to_wstring(image.mask) : image.file;
}

std::size_t PictureBytes(const SkinPicture& picture) {
    return std::size_t{4} * picture.width * picture.height;
}

std::span<std::uint32_t> PixelsOf(const SkinPicture& picture) {
    DIBSECTION section{};
    if (::GetObjectW(picture.bitmap.get(), sizeof section, &section) != sizeof section)
        return {};
    return {static_cast<std::uint32_t*>(section.dsBm.bmBits), PictureBytes(picture) / 4};
}

// The part used lies inside the picture, and its nine-grid's insets inside the part.
bool Fits(const ImageBox& source, const ImageBox& corner, int width, int height) {
    return source.left < source.right && source.top < source.bottom && source.right <= width &&
           source.bottom <= height && corner.left + corner.right <= source.right - source.left &&
           corner.top + corner.bottom <= source.bottom - source.top;
}

ImageBox Target(const RECT& control, bool hasDest, const ImageBox& dest) {
    if (!hasDest)
        return {control.left, control.top, control.right, control.bottom};
    return {control.left + dest.left, control.top + dest.top, control.left + dest.right,
            control.top + dest.bottom};
}

// An opaque picture drawn at full strength covers what is under it: a copy does what a
// blend would, at a fraction of the cost.
void CopyOrBlend(HDC dc, int x, int y, int width, int height, HDC source, const ImageBox& from,
                 BLENDFUNCTION blend, bool copy) {
    const int fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
    if (copy)
        (void)::StretchBlt(dc, x, y, width, height, source, from.left, from.top, fromWidth,
                           fromHeight, SRCCOPY);
    else
        (void)::AlphaBlend(dc, x, y, width, height, source, from.left, from.top, fromWidth,
                           fromHeight, blend);
}

// One cell, stretched, or repeated at the image's own size along the tiled axes (the
// last tile cut to what is left).
void BlendCell(HDC dc, HDC source, const GridCell& cell, BLENDFUNCTION blend, bool copy) {
    const int sourceWidth = cell.source.right - cell.source.left;
    const int sourceHeight = cell.source.bottom - cell.source.top;
    const int stepX = cell.tileX ? sourceWidth : cell.target.right - cell.target.left;
    const int stepY = cell.tileY ? sourceHeight : cell.target.bottom - cell.target.top;
    for (int y = cell.target.top; y < cell.target.bottom; y += stepY) {
        const int height = std::min(stepY, cell.target.bottom - y);
        for (int x = cell.target.left; x < cell.target.right; x += stepX) {
            const int width = std::min(stepX, cell.target.right - x);
            const ImageBox from{cell.source.left, cell.source.top,
                                cell.source.left + (cell.tileX ? width : sourceWidth),
                                cell.source.top + (cell.tileY ? height : sourceHeight)};
            CopyOrBlend(dc, x, y, width, height, source, from, blend, copy);
        }
    }
}

} // namespace

CSkinImages::CSkinImages() = default;

CSkinImages::~CSkinImages() = default;

void CSkinImages::SetDpi(int dpi) {
    if (dpi == m_dpi)
        return;
    m_dpi = dpi;
    m_pictures.clear();
    m_decodedBytes = 0;
}

const SkinPicture* CSkinImages::Find(const ImageValue& image) {
    const std::wstring key = PictureKey(image);
    auto found = m_pictures.find(key);
    if (found != m_pictures.end())
        return found->second.get();
    std::unique_ptr<SkinPicture>& slot = m_pictures[key];
    slot = Load(image);
    if (slot)
        m_decodedBytes += PictureBytes(*slot);
    return slot.get();
}

// A twin that is missing or does not decode leaves the 1x file to serve.
std::unique_ptr<SkinPicture> CSkinImages::Load(const ImageValue& image) {
    if (m_dpi >= kTwinDpi) {
        auto twin = Decode(TwinFileName(image.file), image);
        if (twin)
            return ScaleToDevice(*twin, kTwinScale) ? std::move(twin) : nullptr;
    }
    auto picture = Decode(image.file, image);
    return picture && ScaleToDevice(*picture, 1) ? std::move(picture) : nullptr;
}

std::unique_ptr<SkinPicture> CSkinImages::Decode(const std::wstring& file,
                                                 const ImageValue& image) {
    ++m_decodes;
    if (!m_decoder)
        m_decoder = std::make_unique<CPictureDecoder>();
    std::string bytes;
    auto picture = std::make_unique<SkinPicture>();
    if (!gs::ReadWholeFile(CPaintManagerUI::GetResourcePath().GetData() + file, kMaxPictureBytes,
                           bytes) ||
        FAILED(m_decoder->Decode(bytes, Limits(), image.hasMask, image.mask, *picture)))
        return nullptr;
    return picture;
}

// At 96 DPI for a 1x file, and 192 for a twin, the picture is kept as decoded.
bool CSkinImages::ScaleToDevice(SkinPicture& picture, int naturalScale) const {
    const int width = DeviceSide(picture.width, m_dpi, naturalScale);
    const int height = DeviceSide(picture.height, m_dpi, naturalScale);
    if (width == picture.width && height == picture.height)
        return true;
    SkinPicture scaled;
    void* bits = nullptr;
    if (!Limits().Admit(width, height) || FAILED(CreatePictureBitmap(width, height, scaled, bits)))
        return false;
    const std::span<std::uint32_t> to{static_cast<std::uint32_t*>(bits), PictureBytes(scaled) / 4};
    if (!ResamplePicture({PixelsOf(picture), picture.width, picture.height}, {to, width, height}))
        return false;
    scaled.opaque = picture.opaque; // a mean of opaque pixels is opaque
    picture = std::move(scaled);
    return true;
}

PictureLimits CSkinImages::Limits() const {
    return {kMaxSide, std::min(kMaxPictureBytes, kMaxSkinBytes - m_decodedBytes)};
}

ImageBox CSkinImages::ToDevice(const ImageBox& box) const {
    return {ScaleToDpi(box.left, m_dpi), ScaleToDpi(box.top, m_dpi), ScaleToDpi(box.right, m_dpi),
            ScaleToDpi(box.bottom, m_dpi)};
}

void CSkinImages::Draw(HDC dc, const RECT& control, const ImageValue& image) {
    const SkinPicture* picture = Find(image);
    if (!picture)
        return;
    const ImageBox source =
        image.hasSource ? ToDevice(image.source) : ImageBox{0, 0, picture->width, picture->height};
    const ImageBox corner = ToDevice(image.corner);
    if (!Fits(source, corner, picture->width, picture->height))
        return;
    const ImageBox target = Target(control, image.hasDest, ToDevice(image.dest));
    if (!m_source)
        m_source.reset(::CreateCompatibleDC(dc));
    if (!m_source)
        return;
    gs::SelectedObject selected(m_source.get(), picture->bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(image.fade), AC_SRC_ALPHA};
    for (const GridCell& cell :
         LayOutGrid(source, corner, target, image.hole, image.xtiled, image.ytiled))
        BlendCell(dc, m_source.get(), cell, blend, picture->opaque && image.fade == 255);
}

} // namespace DuiLib
