#pragma once
// One fuzz input for the markup engine: four bytes of options (word wrap,
// hover, shadow, rectangle width, pointer), then the markup. The input is laid
// out drawing and measuring only, hit-tested and turned into plain text; what
// must hold between those is checked.
#include <string>
#include <string_view>

namespace lumivane {

// An empty text when every check holds, else what failed.
std::string CheckMarkupInput(std::string_view input);

}  // namespace lumivane
