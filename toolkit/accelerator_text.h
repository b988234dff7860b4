// The accelerator of a caption: the character after its first "&", which the
// toolkit's controls draw in an accent colour. Portable.
#pragma once

#include <string>
#include <string_view>

struct AcceleratorParts {
    std::string_view before;  // drawn in the font colour
    std::string_view key;     // the accelerator character, empty when there is none
    std::string_view after;   // drawn in the font colour
};

// Splits at the first "&". A caption without "&", or whose only "&" is its
// last character, has no accelerator: all of it (less that trailing "&") is
// `before`.
AcceleratorParts SplitAccelerator(std::string_view text);

// The caption as shown without its accelerator mark.
std::string StripAccelerator(std::string_view text);
