#include "controls/PropertyBag.h"

namespace pictavo {

namespace {

bool samePicture(const PictureRef& a, const PictureRef& b) {
  if (!a || !b) return !a && !b;
  return a->width == b->width && a->height == b->height && a->pixels == b->pixels;
}

bool sameFont(const SurfaceFont& a, const SurfaceFont& b) {
  return a.name == b.name && a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline;
}

}  // namespace

bool samePropertyValue(const PropertyValue& a, const PropertyValue& b) {
  if (a.index() != b.index()) return false;
  if (auto pa = std::get_if<PictureRef>(&a)) return samePicture(*pa, std::get<PictureRef>(b));
  if (auto fa = std::get_if<SurfaceFont>(&a)) return sameFont(*fa, std::get<SurfaceFont>(b));
  return std::visit(
      [&b](const auto& va) {
        using T = std::decay_t<decltype(va)>;
        if constexpr (std::is_same_v<T, PictureRef> || std::is_same_v<T, SurfaceFont>) {
          return false;  // handled above
        } else {
          return va == std::get<T>(b);
        }
      },
      a);
}

std::vector<std::string> PropertyBag::keys() const {
  std::vector<std::string> out;
  out.reserve(values_.size());
  for (const auto& [key, value] : values_) out.push_back(key);
  return out;
}

void PropertyBag::writeValue(const std::string& key, PropertyValue value, const PropertyValue& defaultValue) {
  if (samePropertyValue(value, defaultValue))
    values_.erase(key);
  else
    values_[key] = std::move(value);
}

}  // namespace pictavo
