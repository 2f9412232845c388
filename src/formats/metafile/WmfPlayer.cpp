// Playback of Windows metafiles (WMF), with or without the placeable header.
// Records: a 32-bit size in 16-bit words, a 16-bit function, then
// parameters, most of them 16-bit and, for points, in y, x order.

#include "base/Errors.h"
#include "formats/metafile/Metafile.h"
#include "formats/metafile/MetafileDib.h"
#include "formats/metafile/MetafileObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace pictavo::metafile {

namespace {

// Size of a DIB's header with its colour table, or 0 when it does not fit.
std::size_t dibInfoSize(const MetafileBytes& b, std::size_t at, std::size_t available) {
  if (available < 12 || !b.has(at, 4)) return 0;
  const std::uint32_t headerSize = b.u32(at);
  if (headerSize < 12 || headerSize > available) return 0;
  std::size_t colours = 0, entry = 4;
  int bitCount;
  std::uint32_t compression = 0, used = 0;
  if (headerSize == 12) {
    bitCount = b.u16(at + 10);
    entry = 3;
  } else {
    if (headerSize < 16) return 0;
    bitCount = b.u16(at + 14);
    if (headerSize >= 20) compression = b.u32(at + 16);
    if (headerSize >= 36) used = b.u32(at + 32);
  }
  if (bitCount <= 8) colours = used ? used : (std::size_t(1) << bitCount);
  else colours = used;
  if (colours > 65536) return 0;
  std::size_t size = headerSize + colours * entry;
  if (headerSize == 40 && (compression == 3 || compression == 6)) size += compression == 3 ? 12 : 16;
  return size <= available ? size : 0;
}

class WmfPlayback {
 public:
  WmfPlayback(const MetafileBytes& bytes, const MetafileTextPainter& painter) : b_(bytes), painter_(painter) {}

  Picture run() {
    std::size_t header = 0;
    double left = 0, top = 0, width = 0, height = 0, unitsPerInch = 1440;
    const bool placeable = b_.has(0, 4) && b_.u32(0) == 0x9AC6CDD7u;
    if (placeable) {
      b_.require(0, 22);
      left = b_.i16(6);
      top = b_.i16(8);
      width = double(b_.i16(10)) - left;
      height = double(b_.i16(12)) - top;
      unitsPerInch = b_.u16(14);
      if (unitsPerInch == 0) unitsPerInch = 1440;
      header = 22;
    }
    b_.require(header, 18);
    const std::size_t headerWords = b_.u16(header + 2);
    if (headerWords < 9) throw Error(kErrInvalidPicture);
    first_ = header + headerWords * 2;
    if (!placeable) {
      // Without the placeable header the file says nothing of inches: the
      // window it sets up is the picture, one unit a pixel, scaled down so
      // that its longer side is at most 2048 pixels.
      PointF org{0, 0}, ext{0, 0};
      findWindow(org, ext);
      left = org.x;
      top = org.y;
      width = ext.x;
      height = ext.y;
      const double longer = std::max(std::fabs(width), std::fabs(height));
      unitsPerInch = longer > 2048 ? 96.0 * longer / 2048 : 96.0;
    }
    int w, h;
    double scale;
    fitPictureSize(width * 96.0 / unitsPerInch, height * 96.0 / unitsPerInch, w, h, scale);
    Surface surface = Surface::transparentCanvas(w, h);
    MetafileDevice device(surface, painter_);
    device.state.mapMode = 8;
    device.state.windowOrg = {left, top};
    device.state.windowExt = {width, height};
    device.state.viewportExt = {double(w), double(h)};
    play(device);
    return std::move(surface).TakeImage();
  }

 private:
  std::uint16_t p16(std::size_t i) const { return b_.u16(params_ + 2 * i); }
  double s16(std::size_t i) const { return b_.i16(params_ + 2 * i); }
  std::uint32_t p32(std::size_t i) const { return b_.u32(params_ + 2 * i); }  // at 16-bit index i
  Color colour(std::size_t i) const { return p32(i) & 0x00FFFFFFu; }

  void findWindow(PointF& org, PointF& ext) const {
    std::size_t at = first_;
    for (std::size_t n = 0; n < kMaxRecords && b_.has(at, 6); ++n) {
      const std::uint64_t words = b_.u32(at);
      const std::uint16_t function = b_.u16(at + 4);
      if (words < 3 || words * 2 > b_.size() - at) break;
      if (function == 0x020B && b_.has(at + 6, 4)) org = {double(b_.i16(at + 8)), double(b_.i16(at + 6))};
      if (function == 0x020C && b_.has(at + 6, 4)) {
        ext = {double(b_.i16(at + 8)), double(b_.i16(at + 6))};
        return;
      }
      if (function == 0) break;
      at += std::size_t(words) * 2;
    }
    throw Error(kErrInvalidPicture);  // without a window there is no size
  }

  std::vector<PointF> points(std::size_t firstParam, std::size_t count) const {
    b_.require(params_ + firstParam * 2, count * 4);
    std::vector<PointF> pts(count);
    for (std::size_t i = 0; i < count; ++i) pts[i] = {s16(firstParam + 2 * i), s16(firstParam + 2 * i + 1)};
    return pts;
  }

  void play(MetafileDevice& device) {
    MetafileObjects objects(kMaxObjects);
    std::size_t at = first_;
    for (std::size_t n = 0;; ++n) {
      if (n >= kMaxRecords || device.work() > kWorkBudget) return;
      if (!b_.has(at, 6)) {
        if (at == b_.size() && n > 0) return;  // no EOF record: the end of the file ends it
        throw Error(kErrInvalidPicture);
      }
      const std::uint64_t words = b_.u32(at);
      const std::uint16_t function = b_.u16(at + 4);
      if (function == 0x0000) return;  // EOF
      if (words < 3 || words * 2 > b_.size() - at) throw Error(kErrInvalidPicture);
      params_ = at + 6;
      paramBytes_ = std::size_t(words) * 2 - 6;
      playRecord(function, device, objects);
      at += std::size_t(words) * 2;
    }
  }

  // The bitmap that follows the first `fixedWords` parameters, or nothing
  // when it is damaged: one bad bitmap does not spoil the rest of the picture.
  std::optional<Picture> recordDib(std::size_t fixedWords, MetafileDevice& device) const {
    const std::optional<DibPlace> place = recordDibPlace(fixedWords);
    if (!place) return std::nullopt;
    try {
      return decodeDib(b_, *place, device);
    } catch (const Error&) {
      return std::nullopt;
    }
  }

  std::optional<DibPlace> recordDibPlace(std::size_t fixedWords) const {
    if (paramBytes_ <= fixedWords * 2) return std::nullopt;
    const std::size_t dib = params_ + fixedWords * 2, available = paramBytes_ - fixedWords * 2;
    const std::size_t info = dibInfoSize(b_, dib, available);
    if (!info) return std::nullopt;
    return DibPlace{dib, info, dib + info, available - info};
  }

  void need(std::size_t paramCount) const {
    if (paramCount * 2 > paramBytes_) throw Error(kErrInvalidPicture);
  }

  // A region object: a fixed part with the bounding box, then scans of
  // (count, top, bottom, count x-coordinates as left/right pairs, count).
  // Nothing when its counts disagree with the record: one damaged region
  // does not spoil the picture, it just clips nothing when selected.
  std::optional<std::vector<ClipBox>> region() const {
    if (paramBytes_ < 22) return std::nullopt;
    const std::size_t scans = p16(5);
    std::vector<ClipBox> boxes;
    if (scans == 0) {  // only the bounding box
      const ClipBox box{s16(7), s16(8), s16(9), s16(10)};
      if (box.left < box.right && box.top < box.bottom) boxes.push_back(box);
      return boxes;
    }
    if (scans > (paramBytes_ - 22) / 8) return std::nullopt;
    std::size_t at = 22;
    for (std::size_t k = 0; k < scans; ++k) {
      if (at + 6 > paramBytes_) return std::nullopt;
      const std::size_t count = b_.u16(params_ + at);
      const double top = b_.i16(params_ + at + 2), bottom = b_.i16(params_ + at + 4);
      if (count % 2 || count * 2 + 8 > paramBytes_ - at) return std::nullopt;
      for (std::size_t c = 0; c < count; c += 2)
        boxes.push_back({double(b_.i16(params_ + at + 6 + 2 * c)), top, double(b_.i16(params_ + at + 8 + 2 * c)), bottom});
      at += 6 + count * 2 + 2;
    }
    return boxes;
  }

  void playRecord(std::uint16_t function, MetafileDevice& d, MetafileObjects& objects) {
    auto& s = d.state;
    switch (function) {
      case 0x0201: need(2); s.backColor = colour(0); break;
      case 0x0102: need(1); s.opaqueBackground = p16(0) == 2; break;
      case 0x0106: need(1); s.polyFill = p16(0) == 2 ? FillRule::Winding : FillRule::Alternate; break;
      case 0x0209: need(2); s.textColor = colour(0); break;
      case 0x012E: need(1); s.textAlign = p16(0); break;
      case 0x020B: need(2); s.windowOrg = {s16(1), s16(0)}; break;
      case 0x020C: need(2); s.windowExt = {s16(1), s16(0)}; break;
      case 0x020F: need(2); s.windowOrg.x += s16(1); s.windowOrg.y += s16(0); break;
      case 0x0410:  // scale window extent: yDenom, yNum, xDenom, xNum
        need(4);
        if (s16(2) != 0) s.windowExt.x = s.windowExt.x * s16(3) / s16(2);
        if (s16(0) != 0) s.windowExt.y = s.windowExt.y * s16(1) / s16(0);
        break;
      case 0x0213: need(2); d.lineTo({s16(1), s16(0)}); break;
      case 0x0214: need(2); d.moveTo({s16(1), s16(0)}); break;
      case 0x0418: need(4); d.ellipse(s16(3), s16(2), s16(1), s16(0)); break;
      case 0x041B: need(4); d.rectangle(s16(3), s16(2), s16(1), s16(0)); break;
      case 0x061C: need(6); d.roundRect(s16(5), s16(4), s16(3), s16(2), s16(1), s16(0)); break;
      case 0x0817:
      case 0x081A:
      case 0x0830: {
        need(8);
        const auto kind = function == 0x0817 ? MetafileDevice::ArcKind::Arc
                          : function == 0x081A ? MetafileDevice::ArcKind::Pie
                                               : MetafileDevice::ArcKind::Chord;
        d.arc(kind, s16(7), s16(6), s16(5), s16(4), {s16(3), s16(2)}, {s16(1), s16(0)});
        break;
      }
      case 0x061D: need(6); d.patBlt(s16(5), s16(4), s16(5) + s16(3), s16(4) + s16(2), p32(0)); break;
      case 0x001E: d.saveState(); break;
      case 0x0127: need(1); d.restoreState(std::int16_t(p16(0))); break;
      case 0x041F: need(4); d.setPixel({s16(3), s16(2)}, colour(0)); break;
      case 0x0521: {  // TEXTOUT: length, string (even padded), y, x
        need(1);
        const std::size_t length = p16(0), padded = (length + 1) & ~std::size_t(1);
        need(1 + padded / 2 + 2);
        const std::size_t after = 1 + padded / 2;
        d.text({s16(after + 1), s16(after)}, decodeCharset(b_.data() + params_ + 2, length, s.font.charset),
               (s.textAlign & 1) != 0);
        break;
      }
      case 0x0A32: {  // EXTTEXTOUT: y, x, length, options, [rectangle], string
        need(4);
        const std::size_t length = p16(2);
        const std::uint16_t options = p16(3);
        std::size_t stringParam = 4;
        if (options & 0x0006) stringParam += 4;
        need(stringParam + (length + 1) / 2);
        if (options & 0x0002) {  // opaque: the rectangle is filled with the background
          need(8);
          MetafileBrush saved = s.brush;
          s.brush = MetafileBrush{false, s.backColor};
          d.patBlt(s16(4), s16(5), s16(6), s16(7), 0x00F00021u);
          s.brush = saved;
        }
        d.text({s16(1), s16(0)}, decodeCharset(b_.data() + params_ + stringParam * 2, length, s.font.charset),
               (s.textAlign & 1) != 0);
        break;
      }
      case 0x0324:
      case 0x0325: {
        need(1);
        const std::size_t count = p16(0);
        need(1 + count * 2);
        if (function == 0x0324) d.polygon({points(1, count)});
        else d.polyline(points(1, count));
        break;
      }
      case 0x0538: {  // POLYPOLYGON: count, point counts, points
        need(1);
        const std::size_t polygons = p16(0);
        need(1 + polygons);
        std::vector<std::vector<PointF>> contours;
        std::size_t next = 1 + polygons;
        for (std::size_t i = 0; i < polygons; ++i) {
          const std::size_t count = p16(1 + i);
          need(next + count * 2);
          contours.push_back(points(next, count));
          next += count * 2;
        }
        d.polygon(contours);
        break;
      }
      case 0x012D: need(1); objects.select(p16(0), d); break;
      case 0x01F0: need(1); objects.remove(p16(0)); break;
      case 0x02FA: {  // CREATEPENINDIRECT: style, width (x, y), colour
        need(5);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Pen;
        o.pen.style = p16(0) & 0x0F;
        o.pen.width = std::fabs(s16(1));
        o.pen.color = colour(3);
        objects.add(o);
        break;
      }
      case 0x02FC: {  // CREATEBRUSHINDIRECT: style, colour, hatch
        need(3);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Brush;
        o.brush.null = p16(0) == 1;
        o.brush.color = colour(1);
        objects.add(o);
        break;
      }
      case 0x02FB: {  // CREATEFONTINDIRECT
        need(9);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Font;
        o.font.height = s16(0);
        o.font.escapement = s16(2);
        o.font.weight = s16(4);
        o.font.italic = b_.u8(params_ + 10) != 0;
        o.font.underline = b_.u8(params_ + 11) != 0;
        o.font.strikeout = b_.u8(params_ + 12) != 0;
        o.font.charset = b_.u8(params_ + 13);
        for (std::size_t i = 18; i < paramBytes_ && i < 18 + 32; ++i) {
          const std::uint8_t c = b_.u8(params_ + i);
          if (c == 0) break;
          o.font.face.push_back(char16_t(c));
        }
        objects.add(o);
        break;
      }
      case 0x0142: {  // DIBCREATEPATTERNBRUSH: drawn solid in the pattern's mean colour
        MetafileObject o;
        o.kind = MetafileObject::Kind::Brush;
        const std::optional<DibPlace> pattern = recordDibPlace(2);
        o.brush.color = pattern ? dibMeanColour(b_, *pattern, d) : 0x00808080u;
        objects.add(o);
        break;
      }
      case 0x06FF: {  // CREATEREGION
        MetafileObject o;
        if (std::optional<std::vector<ClipBox>> boxes = region()) {
          o.kind = MetafileObject::Kind::Region;
          o.region = std::make_shared<const std::vector<ClipBox>>(std::move(*boxes));
        }
        objects.add(o);
        break;
      }
      case 0x00F7:  // CREATEPALETTE
      case 0x01F9:  // CREATEPATTERNBRUSH
        objects.add(MetafileObject{});
        break;
      // Clipping: rectangles are bottom, right, top, left; offsets y, x.
      case 0x0416: need(4); d.intersectClip(s16(3), s16(2), s16(1), s16(0)); break;
      case 0x0415: need(4); d.excludeClip(s16(3), s16(2), s16(1), s16(0)); break;
      case 0x0220: need(2); d.offsetClip(s16(1), s16(0)); break;
      case 0x012C: {  // SELECTCLIPREGION: 0 selects no clip
        need(1);
        const std::size_t index = p16(0);
        const MetafileObject* o = objects.get(index);
        if (index == 0)
          d.selectClip(nullptr, MetafileDevice::ClipUnits::Logical, ClipCombine::Copy);
        else if (o && o->kind == MetafileObject::Kind::Region)
          d.selectClip(o->region.get(), MetafileDevice::ClipUnits::Logical, ClipCombine::Copy);
        break;
      }
      case 0x0940:    // DIBBITBLT: rop, ySrc, xSrc, height, width, yDest, xDest, DIB
      case 0x0B41: {  // DIBSTRETCHBLT: rop, srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, DIB
        const bool stretch = function == 0x0B41;
        const std::size_t fixed = stretch ? 10 : 8;
        if (paramBytes_ <= fixed * 2) {  // no bitmap: a pattern blit with the brush
          need(fixed + 1);
          const std::size_t o = 3;  // after rop and the reserved word
          if (stretch) d.patBlt(s16(o + 6), s16(o + 5), s16(o + 6) + s16(o + 4), s16(o + 5) + s16(o + 3), p32(0));
          else d.patBlt(s16(o + 4), s16(o + 3), s16(o + 4) + s16(o + 2), s16(o + 3) + s16(o + 1), p32(0));
          break;
        }
        const std::optional<Picture> picture = recordDib(fixed, d);
        if (!picture) break;
        if (stretch)
          d.bitmap(s16(9), s16(8), s16(7), s16(6), *picture, s16(5), s16(4), s16(3), s16(2));
        else
          d.bitmap(s16(7), s16(6), s16(5), s16(4), *picture, s16(3), s16(2), s16(5), s16(4));
        break;
      }
      case 0x0F43: {  // STRETCHDIB: rop, usage, srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, DIB
        need(11);
        const std::optional<Picture> picture = recordDib(11, d);
        if (!picture) break;
        // The source rectangle counts rows from the bottom of the bitmap.
        const double srcH = s16(3), ySrc = picture->height - s16(5) - srcH;
        d.bitmap(s16(10), s16(9), s16(8), s16(7), *picture, s16(6), ySrc, s16(4), srcH);
        break;
      }
      case 0x0D33: {  // SETDIBTODEV: usage, scans, startScan, ySrc, xSrc, height, width, yDest, xDest, DIB
        need(9);
        const std::optional<Picture> picture = recordDib(9, d);
        if (!picture) break;
        const double height = s16(5), ySrc = picture->height - s16(3) - height;
        d.bitmap(s16(8), s16(7), s16(6), height, *picture, s16(4), ySrc, s16(6), height);
        break;
      }
      default: break;  // other records change nothing we draw
    }
  }

  const MetafileBytes& b_;
  const MetafileTextPainter& painter_;
  std::size_t first_ = 0;
  std::size_t params_ = 0, paramBytes_ = 0;  // the current record's parameters
};

}  // namespace

Picture playWmf(const MetafileBytes& bytes, const MetafileTextPainter& textPainter) {
  return WmfPlayback(bytes, textPainter).run();
}

}  // namespace pictavo::metafile
