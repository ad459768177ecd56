#pragma once
// Scaling shared by thumbnails and PDF page images: the fit geometry and a nearest-pixel scaled
// copy without smoothing. The geometry mirrors the stored charts and thumbnails exactly: the
// ratios are compared in double precision, the scale is held as a 32-bit float and the sizes are
// truncated, so a fitted edge often comes out one pixel short (2480 x 3508 fits 634 x 934 as
// 633 x 896).
#include <QImage>
#include <QRect>
#include <QSize>

namespace quillora::imaging {

// Largest size of the source's aspect that fits the area: with rw = W / areaW and rh = H / areaH,
// scale = float(areaW / W) when rw > rh, else float(areaH / H); size = trunc(W * scale) x
// trunc(H * scale). Images smaller than the area are enlarged. Empty for an empty source or area.
QSize fitInside(QSize source, QSize area);

// The thumbnail's drawing rectangle inside its side x side square: the whole square when
// stretching, else the fitted size centred with integer division ((side - w) / 2).
QRect thumbnailRect(QSize source, int side, bool stretch);

// The top-left part of the source that a page of the given area keeps when not scaling.
QSize cropSize(QSize source, QSize area);

// A copy of the source at width x height where each pixel takes its nearest source pixel (no
// smoothing). A bilevel (1-bit) source keeps its format; where it is shrunk, a pixel is black when
// any source pixel it covers is black. Other sources keep their format and colour table.
// Null when the source is null or a size is not positive.
QImage scaledNearest(const QImage& source, int width, int height);

// Draws scaledNearest(source, rect size) at rect's top-left into target. The target must be a
// format QPainter draws on (e.g. RGB32); uncovered pixels are left as they are.
void drawScaledNearest(const QImage& source, QImage& target, const QRect& rect);

// A white side x side Format_RGB32 thumbnail with the source drawn into thumbnailRect. When the
// source was decoded reduced (DCT scaling), geometrySize passes the image's real size, so the
// geometry matches a full decode.
QImage makeThumbnail(const QImage& source, int side, bool stretch, QSize geometrySize = {});

} // namespace quillora::imaging
