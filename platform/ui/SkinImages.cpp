#include "platform/ui/SkinImages.h"

#include <algorithm>

#include "platform/ui/ImageValue.h"
#include "platform/ui/NineGrid.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/PictureDecode.h"
#include "platform/win/WholeFile.h"

namespace DuiLib {

namespace {

std::wstring PictureKey(const ImageValue& image) {
    return image.hasMask ? image.file + L'|' + std::to_wstring(image.mask) : image.file;
}

bool Fits(const ImageBox& box, int width, int height) {
    return box.left < box.right && box.top < box.bottom && box.right <= width &&
           box.bottom <= height;
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

const SkinPicture* CSkinImages::Find(const ImageValue& image) {
    const std::wstring key = PictureKey(image);
    auto found = m_pictures.find(key);
    if (found != m_pictures.end())
        return found->second.get();
    std::unique_ptr<SkinPicture>& slot = m_pictures[key];
    std::string bytes;
    const PictureLimits limits{kMaxSide,
                               std::min(kMaxPictureBytes, kMaxSkinBytes - m_decodedBytes)};
    auto picture = std::make_unique<SkinPicture>();
    ++m_decodes;
    if (!m_decoder)
        m_decoder = std::make_unique<CPictureDecoder>();
    if (gs::ReadWholeFile(CPaintManagerUI::GetResourcePath().GetData() + image.file,
                          kMaxPictureBytes, bytes) &&
        SUCCEEDED(m_decoder->Decode(bytes, limits, image.hasMask, image.mask, *picture))) {
        m_decodedBytes += std::size_t{4} * picture->width * picture->height;
        slot = std::move(picture);
    }
    return slot.get();
}

void CSkinImages::Draw(HDC dc, const RECT& control, const ImageValue& image) {
    const SkinPicture* picture = Find(image);
    if (!picture)
        return;
    const ImageBox source =
        image.hasSource ? image.source : ImageBox{0, 0, picture->width, picture->height};
    const ImageBox& corner = image.corner;
    if (!Fits(source, picture->width, picture->height) ||
        corner.left + corner.right > source.right - source.left ||
        corner.top + corner.bottom > source.bottom - source.top)
        return;
    const ImageBox target =
        image.hasDest ? ImageBox{control.left + image.dest.left, control.top + image.dest.top,
                                 control.left + image.dest.right, control.top + image.dest.bottom}
                      : ImageBox{control.left, control.top, control.right, control.bottom};
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
