#pragma once
// Windows metafiles (WMF, with or without the placeable header, and EMF):
// recorded drawing calls, replayed onto a Surface of the picture's size.
// The picture's size is its bounding box (WMF) or frame (EMF) at 96 dots
// per inch, scaled down to the canvas limit when larger. Pixels the
// metafile does not draw are transparent.
//
// Safety: every record size, count and offset is checked against the file
// before it is read; a truncated, inconsistent or oversized file gives the
// invalid-picture error (481). Records, objects and drawing work are capped,
// so no file makes playback hang or allocate without bound.

#include "canvas/Picture.h"
#include "formats/metafile/MetafileBytes.h"
#include "formats/metafile/MetafileDevice.h"

#include <cstddef>
#include <cstdint>

namespace pictavo {

enum class MetafileKind { None, Wmf, PlaceableWmf, Emf };

// What kind of metafile the bytes start with (by content).
MetafileKind metafileKind(const std::uint8_t* data, std::size_t size);

// Plays the metafile; throws pictavo::Error(481) when it is not one we can play.
// Text is drawn through textPainter (left out when it is empty).
Picture playMetafile(const std::uint8_t* data, std::size_t size, const MetafileTextPainter& textPainter = {});

namespace metafile {
// Shared by the two record parsers.
constexpr std::size_t kMaxRecords = 4'000'000;
constexpr std::size_t kMaxObjects = 65'535;
constexpr long long kWorkBudget = 40'000'000LL;
// The picture size for a box in pixels: at least 1, scaled down into the canvas limit.
void fitPictureSize(double width, double height, int& outWidth, int& outHeight, double& scale);
Picture playWmf(const MetafileBytes& bytes, const MetafileTextPainter& textPainter);
Picture playEmf(const MetafileBytes& bytes, const MetafileTextPainter& textPainter);
// Text of a metafile string in a font's character set, as UTF-16.
std::u16string decodeCharset(const std::uint8_t* text, std::size_t length, int charset);
}  // namespace metafile

}  // namespace pictavo
