#pragma once
// PropertyBag: the named values a control saves into its host's form and
// reads back when a saved control is loaded.
//
// An entry whose value equals its default is not stored (and writing the
// default removes an entry written before); a missing entry reads as the
// default. Values equal their default when they are identical, when both
// are numbers (Integer, Long, Double, Boolean) of the same value, or when
// one is Empty and the other "" or the number 0. Names ignore case.
// Object references cannot be persisted: writing one raises error 330;
// Nothing is stored as "Nothing".
//
// Text form (one entry per line, in the order written; see VariantLiteral.h
// for the values):
//
//   TextMatrix0 = "Messstelle"
//   ColWidth0 = 1200
//
// Reading the text form ignores empty lines and lines starting with "'".
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Variant.h"

namespace hosting {

class PropertyBag {
public:
    rt::Variant read(std::string_view name, const rt::Variant& defaultValue = {}) const;
    void write(std::string_view name, const rt::Variant& value, const rt::Variant& defaultValue = {});
    bool contains(std::string_view name) const;
    const std::vector<std::pair<std::string, rt::Variant>>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

    std::string toText() const;
    // Error 13 naming the line for a line that is no "name = literal".
    static PropertyBag fromText(std::string_view text);

    // Whether value counts as equal to its default (rules above).
    static bool equalsDefault(const rt::Variant& value, const rt::Variant& defaultValue);

private:
    std::vector<std::pair<std::string, rt::Variant>>::iterator find(std::string_view name);
    std::vector<std::pair<std::string, rt::Variant>>::const_iterator find(std::string_view name) const;
    std::vector<std::pair<std::string, rt::Variant>> entries_;
};

} // namespace hosting
