#pragma once
// The object table of a metafile: pens, brushes and fonts created by index.
// WMF files give a new object the lowest free slot; EMF files name the slot.
// Regions are kept as their rectangles, for selecting as the clip; other
// objects we do not draw with (palettes) still take their slot.

#include "base/Errors.h"
#include "formats/metafile/MetafileDevice.h"

#include <memory>
#include <optional>
#include <vector>

namespace pictavo {

struct MetafileObject {
  enum class Kind { Pen, Brush, Font, Region, Other } kind = Kind::Other;
  MetafilePen pen;
  MetafileBrush brush;
  MetafileFont font;
  std::shared_ptr<const std::vector<ClipBox>> region;  // logical units
};

class MetafileObjects {
 public:
  explicit MetafileObjects(std::size_t capacity) : capacity_(capacity) {}

  // WMF: the lowest free slot.
  void add(const MetafileObject& object) {
    for (auto& slot : slots_)
      if (!slot) {
        slot = object;
        return;
      }
    if (slots_.size() >= capacity_) throw Error(kErrInvalidPicture);
    slots_.push_back(object);
  }
  // EMF: a named slot.
  void put(std::size_t index, const MetafileObject& object) {
    if (index >= capacity_) throw Error(kErrInvalidPicture);
    if (index >= slots_.size()) slots_.resize(index + 1);
    slots_[index] = object;
  }
  const MetafileObject* get(std::size_t index) const {
    return index < slots_.size() && slots_[index] ? &*slots_[index] : nullptr;
  }
  void remove(std::size_t index) {
    if (index < slots_.size()) slots_[index].reset();
  }
  // Makes the object current in the device's state.
  void select(std::size_t index, MetafileDevice& device) const {
    const MetafileObject* o = get(index);
    if (!o) return;
    switch (o->kind) {
      case MetafileObject::Kind::Pen: device.state.pen = o->pen; break;
      case MetafileObject::Kind::Brush: device.state.brush = o->brush; break;
      case MetafileObject::Kind::Font: device.state.font = o->font; break;
      case MetafileObject::Kind::Region:  // regions are selected as the clip, not here
      case MetafileObject::Kind::Other: break;
    }
  }

 private:
  std::size_t capacity_;
  std::vector<std::optional<MetafileObject>> slots_;
};

}  // namespace pictavo
