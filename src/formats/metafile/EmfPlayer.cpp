// Playback of enhanced metafiles (EMF). Records: a 32-bit type, a 32-bit
// size in bytes (a multiple of 4, header included), then parameters.
// Coordinates are logical units of the recording device; the header's frame
// (in 0.01 mm) says which part of that device is the picture.

#include "base/Errors.h"
#include "formats/metafile/Metafile.h"
#include "formats/metafile/MetafileDib.h"
#include "formats/metafile/MetafileObjects.h"

#include <algorithm>
#include <cmath>

namespace pictavo::metafile {

namespace {

// Stock objects are named with the high bit set.
void selectStock(std::uint32_t index, MetafileDevice& d) {
  auto& s = d.state;
  switch (index & 0x7FFFFFFFu) {
    case 0: s.brush = {false, kWhite}; break;
    case 1: s.brush = {false, 0x00C0C0C0u}; break;
    case 2: s.brush = {false, 0x00808080u}; break;
    case 3: s.brush = {false, 0x00404040u}; break;
    case 4: s.brush = {false, kBlack}; break;
    case 5: s.brush = {true, kWhite}; break;
    case 6: s.pen = {0, 0, kWhite}; break;
    case 7: s.pen = {0, 0, kBlack}; break;
    case 8: s.pen = {5, 0, kBlack}; break;
    default: break;  // fonts and palettes: keep the current ones
  }
}

class EmfPlayback {
 public:
  EmfPlayback(const MetafileBytes& bytes, const MetafileTextPainter& painter) : b_(bytes), painter_(painter) {}

  Picture run() {
    b_.require(0, 88);
    const std::uint32_t headerSize = b_.u32(4);
    if (headerSize < 88 || headerSize > b_.size() || headerSize % 4) throw Error(kErrInvalidPicture);
    const double boundsL = b_.i32(8), boundsT = b_.i32(12), boundsR = b_.i32(16), boundsB = b_.i32(20);
    const double frameL = b_.i32(24), frameT = b_.i32(28), frameR = b_.i32(32), frameB = b_.i32(36);
    const double devW = b_.i32(72), devH = b_.i32(76), mmW = b_.i32(80), mmH = b_.i32(84);
    // Recording device pixels per 0.01 mm, from its size in pixels and millimetres.
    const bool deviceKnown = devW > 0 && devH > 0 && mmW > 0 && mmH > 0;
    const double pxPerHmmX = deviceKnown ? devW / (mmW * 100) : 96.0 / 2540;
    const double pxPerHmmY = deviceKnown ? devH / (mmH * 100) : 96.0 / 2540;
    double left, top, width, height, pictureW, pictureH;
    if (frameR > frameL && frameB > frameT) {
      left = frameL * pxPerHmmX;
      top = frameT * pxPerHmmY;
      width = (frameR - frameL) * pxPerHmmX;
      height = (frameB - frameT) * pxPerHmmY;
      pictureW = (frameR - frameL) * 96.0 / 2540;
      pictureH = (frameB - frameT) * 96.0 / 2540;
    } else if (boundsR >= boundsL && boundsB >= boundsT) {
      left = boundsL;
      top = boundsT;
      width = pictureW = boundsR - boundsL + 1;
      height = pictureH = boundsB - boundsT + 1;
    } else {
      throw Error(kErrInvalidPicture);
    }
    int w, h;
    double scale;
    fitPictureSize(pictureW, pictureH, w, h, scale);
    Surface surface = Surface::transparentCanvas(w, h);
    MetafileDevice device(surface, painter_);
    device.pixelsPerMillimetre = pxPerHmmX * 100;
    device.deviceToTarget.m11 = w / width;
    device.deviceToTarget.m22 = h / height;
    device.deviceToTarget.dx = -left * w / width;
    device.deviceToTarget.dy = -top * h / height;
    play(device, headerSize);
    return std::move(surface).TakeImage();
  }

 private:
  std::int32_t i(std::size_t offset) const { return b_.i32(rec_ + offset); }
  std::uint32_t u(std::size_t offset) const { return b_.u32(rec_ + offset); }
  Color colour(std::size_t offset) const { return u(offset) & 0x00FFFFFFu; }
  void need(std::size_t bytes) const {
    if (bytes > size_) throw Error(kErrInvalidPicture);
  }

  // count points of 16-bit (small) or 32-bit coordinates at offset.
  std::vector<PointF> points(std::size_t offset, std::size_t count, bool small) const {
    const std::size_t each = small ? 4 : 8;
    if (count > (size_ - std::min(size_, offset)) / each) throw Error(kErrInvalidPicture);
    std::vector<PointF> pts(count);
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t at = rec_ + offset + k * each;
      pts[k] = small ? PointF{double(b_.i16(at)), double(b_.i16(at + 2))} : PointF{double(b_.i32(at)), double(b_.i32(at + 4))};
    }
    return pts;
  }

  std::vector<std::vector<PointF>> polyPoly(bool small) const {
    need(32);
    const std::size_t polys = u(24), total = u(28);  // then the counts, then the points
    if (polys > (size_ - 32) / 4) throw Error(kErrInvalidPicture);
    std::vector<std::vector<PointF>> out;
    std::size_t pointsAt = 32 + polys * 4, used = 0;
    const std::vector<PointF> all = points(pointsAt, total, small);
    for (std::size_t k = 0; k < polys; ++k) {
      const std::size_t count = u(32 + k * 4);
      if (count > total - used) throw Error(kErrInvalidPicture);
      out.emplace_back(all.begin() + long(used), all.begin() + long(used + count));
      used += count;
    }
    return out;
  }

  // A bitmap the record keeps at these offsets (from the record's start).
  DibPlace dib(std::size_t offBmi, std::size_t cbBmi, std::size_t offBits, std::size_t cbBits) const {
    if (offBmi > size_ || cbBmi > size_ - offBmi || offBits > size_ || cbBits > size_ - offBits)
      throw Error(kErrInvalidPicture);
    return {rec_ + offBmi, cbBmi, rec_ + offBits, cbBits};
  }

  void play(MetafileDevice& d, std::size_t first) {
    MetafileObjects objects(kMaxObjects);
    std::size_t at = first;
    for (std::size_t n = 0;; ++n) {
      if (n >= kMaxRecords || d.work() > kWorkBudget) return;
      if (!b_.has(at, 8)) {
        if (at == b_.size()) return;  // no EOF record: the end of the file ends it
        throw Error(kErrInvalidPicture);
      }
      const std::uint32_t type = b_.u32(at);
      const std::uint32_t size = b_.u32(at + 4);
      if (size < 8 || size % 4 || size > b_.size() - at) throw Error(kErrInvalidPicture);
      if (type == 14) return;  // EOF
      rec_ = at;
      size_ = size;
      playRecord(type, d, objects);
      at += size;
    }
  }

  void playRecord(std::uint32_t type, MetafileDevice& d, MetafileObjects& objects) {
    auto& s = d.state;
    switch (type) {
      case 2: case 3: case 4: case 5: case 6:       // POLYBEZIER, POLYGON, POLYLINE, POLYBEZIERTO, POLYLINETO
      case 85: case 86: case 87: case 88: case 89: {  // the same with 16-bit points
        need(28);
        const bool small = type >= 85;
        const std::uint32_t kind = small ? type - 83 : type;
        const std::vector<PointF> pts = points(28, u(24), small);
        if (pts.empty()) break;
        switch (kind) {
          case 2: d.bezier(pts, false); break;
          case 3: d.polygon({pts}); break;
          case 4: d.polyline(pts); break;
          case 5: d.bezier(pts, true); break;
          case 6:
            for (const PointF& p : pts) d.lineTo(p);
            break;
        }
        break;
      }
      case 7: case 90: d.polyPolyline(polyPoly(type == 90)); break;  // POLYPOLYLINE(16)
      case 8: case 91: d.polygon(polyPoly(type == 91)); break;       // POLYPOLYGON(16)
      case 9: need(16); s.windowExt = {double(i(8)), double(i(12))}; break;
      case 10: need(16); s.windowOrg = {double(i(8)), double(i(12))}; break;
      case 11: need(16); s.viewportExt = {double(i(8)), double(i(12))}; break;
      case 12: need(16); s.viewportOrg = {double(i(8)), double(i(12))}; break;
      case 15: need(20); d.setPixel({double(i(8)), double(i(12))}, colour(16)); break;
      case 17: need(12); s.mapMode = int(u(8)); break;
      case 18: need(12); s.opaqueBackground = u(8) == 2; break;
      case 19: need(12); s.polyFill = u(8) == 2 ? FillRule::Winding : FillRule::Alternate; break;
      case 22: need(12); s.textAlign = u(8); break;
      case 24: need(12); s.textColor = colour(8); break;
      case 25: need(12); s.backColor = colour(8); break;
      case 27: need(16); d.moveTo({double(i(8)), double(i(12))}); break;
      case 31: case 32: {  // SCALEVIEWPORTEXTEX, SCALEWINDOWEXTEX: xNum, xDenom, yNum, yDenom
        need(24);
        PointF& ext = type == 31 ? s.viewportExt : s.windowExt;
        if (i(12) != 0) ext.x = ext.x * i(8) / i(12);
        if (i(20) != 0) ext.y = ext.y * i(16) / i(20);
        break;
      }
      case 33: d.saveState(); break;
      case 34: need(12); d.restoreState(i(8)); break;
      case 35: case 36: {  // SETWORLDTRANSFORM, MODIFYWORLDTRANSFORM
        need(type == 35 ? 32 : 36);
        AffineMap m{b_.f32(rec_ + 8), b_.f32(rec_ + 12), b_.f32(rec_ + 16), b_.f32(rec_ + 20), b_.f32(rec_ + 24),
                    b_.f32(rec_ + 28)};
        if (!std::isfinite(m.m11 + m.m12 + m.m21 + m.m22 + m.dx + m.dy)) break;
        const std::uint32_t mode = type == 35 ? 4 : u(32);
        if (mode == 1) s.world = AffineMap{};
        else if (mode == 2) s.world = m.then(s.world);
        else if (mode == 3) s.world = s.world.then(m);
        else if (mode == 4) s.world = m;
        break;
      }
      case 37: {  // SELECTOBJECT
        need(12);
        const std::uint32_t index = u(8);
        if (index & 0x80000000u) selectStock(index, d);
        else objects.select(index, d);
        break;
      }
      case 38: {  // CREATEPEN: index, style, width (x, y), colour
        need(28);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Pen;
        o.pen.style = int(u(12) & 0x0F);
        o.pen.width = std::fabs(double(i(16)));
        o.pen.color = colour(24);
        objects.put(u(8), o);
        break;
      }
      case 95: {  // EXTCREATEPEN: index, bitmap offsets and sizes, style, width, brush style, colour
        need(44);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Pen;
        o.pen.style = int(u(28) & 0x0F);
        o.pen.width = (u(28) & 0x00010000u) ? double(u(32)) : 0;  // only geometric pens have a width
        o.pen.color = colour(40);
        if (u(36) == 1) o.pen.style = 5;  // a null brush draws nothing
        objects.put(u(8), o);
        break;
      }
      case 39: {  // CREATEBRUSHINDIRECT: index, style, colour, hatch
        need(24);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Brush;
        o.brush.null = u(12) == 1;
        o.brush.color = colour(16);
        objects.put(u(8), o);
        break;
      }
      case 93: case 94: {  // CREATEMONOBRUSH, CREATEDIBPATTERNBRUSHPT: solid in the pattern's mean colour
        need(32);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Brush;
        o.brush.color = 0x00808080u;
        try {
          o.brush.color = dibMeanColour(b_, dib(u(16), u(20), u(24), u(28)), d);
        } catch (const Error&) {
        }
        objects.put(u(8), o);
        break;
      }
      case 82: {  // EXTCREATEFONTINDIRECTW: index, LOGFONTW
        need(12 + 28);
        MetafileObject o;
        o.kind = MetafileObject::Kind::Font;
        o.font.height = i(12);
        o.font.escapement = i(20);
        o.font.weight = i(28);
        o.font.italic = b_.u8(rec_ + 32) != 0;
        o.font.underline = b_.u8(rec_ + 33) != 0;
        o.font.strikeout = b_.u8(rec_ + 34) != 0;
        o.font.charset = b_.u8(rec_ + 35);
        for (std::size_t k = 0; k < 32 && 40 + k * 2 + 2 <= size_; ++k) {
          const char16_t c = char16_t(b_.u16(rec_ + 40 + k * 2));
          if (!c) break;
          o.font.face.push_back(c);
        }
        objects.put(u(8), o);
        break;
      }
      case 48: case 49: need(12); objects.put(u(8), MetafileObject{}); break;  // palettes take a slot
      case 40: need(12); if (!(u(8) & 0x80000000u)) objects.remove(u(8)); break;
      case 42: need(24); d.ellipse(i(8), i(12), i(16), i(20)); break;
      case 43: need(24); d.rectangle(i(8), i(12), i(16), i(20)); break;
      case 44: need(32); d.roundRect(i(8), i(12), i(16), i(20), i(24), i(28)); break;
      case 45: case 46: case 47: {  // ARC, CHORD, PIE: box, start, end
        need(40);
        const auto kind = type == 45 ? MetafileDevice::ArcKind::Arc
                          : type == 46 ? MetafileDevice::ArcKind::Chord
                                       : MetafileDevice::ArcKind::Pie;
        d.arc(kind, i(8), i(12), i(16), i(20), {double(i(24)), double(i(28))}, {double(i(32)), double(i(36))});
        break;
      }
      case 54: need(16); d.lineTo({double(i(8)), double(i(12))}); break;
      case 29: case 30: {  // EXCLUDECLIPRECT, INTERSECTCLIPRECT: logical left, top, right, bottom
        need(24);
        if (type == 29) d.excludeClip(i(8), i(12), i(16), i(20));
        else d.intersectClip(i(8), i(12), i(16), i(20));
        break;
      }
      case 26: need(16); d.offsetClip(i(8), i(12)); break;  // OFFSETCLIPRGN, logical
      case 75: {  // EXTSELECTCLIPRGN: data size, mode, region data in device units
        need(16);
        const std::size_t dataSize = u(8);
        const std::uint32_t mode = u(12);
        if (mode < 1 || mode > 5) break;
        if (dataSize == 0) {  // no region: with copy, no clip
          d.selectClip(nullptr, MetafileDevice::ClipUnits::Device, ClipCombine(mode));
          break;
        }
        // A 32-byte header (size, type, count, data size, bounds), then the rectangles.
        // A region whose count disagrees with its size is left out.
        if (dataSize < 32 || dataSize > size_ - 16) break;
        const std::size_t count = u(24);
        if (count > (dataSize - 32) / 16) break;
        std::vector<ClipBox> boxes(count);
        for (std::size_t k = 0; k < count; ++k) {
          const std::size_t at = 48 + 16 * k;
          boxes[k] = {double(i(at)), double(i(at + 4)), double(i(at + 8)), double(i(at + 12))};
        }
        d.selectClip(&boxes, MetafileDevice::ClipUnits::Device, ClipCombine(mode));
        break;
      }
      case 67: {  // SELECTCLIPPATH: mode
        need(12);
        const std::uint32_t mode = u(8);
        if (mode >= 1 && mode <= 5) d.selectClipPath(ClipCombine(mode));
        break;
      }
      case 59: d.beginPath(); break;
      case 60: d.endPath(); break;
      case 61: d.closeFigure(); break;
      case 62: d.fillPath(false, true); break;
      case 63: d.fillPath(true, true); break;
      case 64: d.fillPath(true, false); break;
      case 68: d.abortPath(); break;
      case 83: case 84: {  // EXTTEXTOUTA, EXTTEXTOUTW
        need(76);
        // bounds, graphics mode, x scale, y scale, then the text: reference
        // point, count, string offset, options, rectangle, spacing offset.
        const PointF reference{double(i(36)), double(i(40))};
        const std::size_t count = u(44), offset = u(48);
        const std::uint32_t options = u(52);
        const std::size_t bytesPer = type == 84 ? 2 : 1;
        if (offset > size_ || count > (size_ - offset) / bytesPer) throw Error(kErrInvalidPicture);
        if (options & 0x0002) {  // opaque rectangle in the background colour
          const MetafileBrush saved = s.brush;
          s.brush = MetafileBrush{false, s.backColor};
          d.patBlt(i(56), i(60), i(64), i(68), 0x00F00021u);
          s.brush = saved;
        }
        std::u16string text;
        if (type == 84) {
          text.reserve(count);
          for (std::size_t k = 0; k < count; ++k) text.push_back(char16_t(b_.u16(rec_ + offset + 2 * k)));
        } else {
          text = decodeCharset(b_.data() + rec_ + offset, count, s.font.charset);
        }
        d.text(reference, text, (s.textAlign & 1) != 0);
        break;
      }
      case 81: {  // STRETCHDIBITS
        need(80);
        Picture p;
        try {
          p = decodeDib(b_, dib(u(48), u(52), u(56), u(60)), d);
        } catch (const Error&) {
          break;
        }
        // destination x, y; source x, y, width, height (rows counted from the bottom); destination size
        const double srcH = i(44), ySrc = double(p.height) - i(36) - srcH;  // in doubles: i(36) may be INT_MIN
        d.bitmap(i(24), i(28), i(72), i(76), p, i(32), ySrc, i(40), srcH);
        break;
      }
      case 76: case 77: {  // BITBLT, STRETCHBLT
        need(type == 76 ? 100 : 108);
        const double x = i(24), y = i(28), w = i(32), h = i(36);
        const std::uint32_t rop = u(40);
        if (u(88) == 0) {  // no source bitmap: a pattern blit
          d.patBlt(x, y, x + w, y + h, rop);
          break;
        }
        Picture p;
        try {
          p = decodeDib(b_, dib(u(84), u(88), u(92), u(96)), d);
        } catch (const Error&) {
          break;
        }
        const double sw = type == 77 ? i(100) : w, sh = type == 77 ? i(104) : h;
        d.bitmap(x, y, w, h, p, i(44), i(48), sw, sh);
        break;
      }
      default: break;  // other records change nothing we draw
    }
  }

  const MetafileBytes& b_;
  const MetafileTextPainter& painter_;
  std::size_t rec_ = 0, size_ = 0;  // the current record
};

}  // namespace

Picture playEmf(const MetafileBytes& bytes, const MetafileTextPainter& textPainter) {
  return EmfPlayback(bytes, textPainter).run();
}

}  // namespace pictavo::metafile
