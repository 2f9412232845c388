#pragma once
// PropertyBag: the settings a form keeps for the controls it holds, one key
// per property ("Color1", "ButtonStyle", ...).
//
// A control reads each key with its default and writes it with the same
// default; a value equal to its default is not stored (writing it removes
// any stored value), so an untouched control leaves the bag empty. A read
// of a key that is absent, or that holds a value of another type, gives
// the default: a damaged bag never stops a control from loading.
//
//   PropertyBag bag;
//   bag.WriteProperty<Color>("Color1", c, kBlack);
//   Color c = bag.ReadProperty<Color>("Color1", kBlack);

#include "canvas/Color.h"
#include "canvas/Picture.h"
#include "canvas/Surface.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace pictavo {

// A picture property (an icon, a pointer picture); null means "none".
using PictureRef = std::shared_ptr<const Picture>;

// Stored types: 16-bit and 32-bit integers, colours (which may name a
// system colour, 0x800000nn), Booleans, strings (UTF-8), pictures, fonts.
using PropertyValue =
    std::variant<std::int16_t, std::int32_t, Color, bool, std::string, PictureRef, SurfaceFont>;

// Two values are equal when they have the same type and content; two
// pictures by their pixels, so a picture is equal to the default "none"
// only when it is none itself.
bool samePropertyValue(const PropertyValue& a, const PropertyValue& b);

class PropertyBag {
 public:
  template <class T>
  T ReadProperty(const std::string& key, const T& defaultValue) const {
    auto it = values_.find(key);
    if (it == values_.end()) return defaultValue;
    if (const T* v = std::get_if<T>(&it->second)) return *v;
    return defaultValue;
  }

  template <class T>
  void WriteProperty(const std::string& key, const T& value, const T& defaultValue) {
    writeValue(key, PropertyValue(std::in_place_type<T>, value), PropertyValue(std::in_place_type<T>, defaultValue));
  }

  bool contains(const std::string& key) const { return values_.count(key) != 0; }
  std::size_t size() const { return values_.size(); }
  std::vector<std::string> keys() const;
  void clear() { values_.clear(); }

 private:
  void writeValue(const std::string& key, PropertyValue value, const PropertyValue& defaultValue);

  std::map<std::string, PropertyValue> values_;
};

}  // namespace pictavo
