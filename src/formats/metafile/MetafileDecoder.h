#pragma once
// Windows metafiles (WMF, placeable or plain, and EMF) as pictures for the
// decoder: the player of Metafile.h with Qt's font engine for their text.

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pictavo {

// True when the bytes start like a WMF (placeable key D7 CD C6 9A, or a
// plain header: type 1 or 2, header size 9 words, version 0x0100/0x0300)
// or an EMF (record type 1 with " EMF" at offset 40).
bool looksLikeMetafile(const std::uint8_t* data, std::size_t size);

// The metafile drawn at its own size, or nothing when it cannot be drawn
// (the caller reports the invalid-picture error).
std::optional<Picture> decodeMetafile(const std::uint8_t* data, std::size_t size);

}  // namespace pictavo
