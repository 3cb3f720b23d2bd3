#pragma once
// The category step shared by the calendar and the task query.
#include <string_view>

namespace lumivane {

// Whether an item with the categories text `itemCategories` is kept under the
// category list `categoryList` (names joined by ";").
//
// An empty list keeps every item. Otherwise the item matches when some
// non-empty piece of the list occurs anywhere inside its categories text, both
// upper-cased in the letters a to z only: the piece WORK matches "Homework".
// Pieces are not trimmed, and an empty piece never matches. With showListed
// the matching items are kept, without it the others.
bool CategoryFilter(std::string_view itemCategories, std::string_view categoryList,
                    bool showListed);

}  // namespace lumivane
