// The version text of an installed database engine, as its settings keep it
// ("4.0", "5.01", "3,5"), reduced to its major number.
#pragma once

#include <cstdint>
#include <string_view>

// The whole number before the first "." (or, without one, the first ","):
// leading blanks are skipped and only the decimal digits that follow count,
// so " 4.0" is 4, "4.9" is 4, "v5" is 0 and "" is 0. A number too large for
// 32 bits stays at the largest one.
std::uint32_t ParseEngineVersion(std::string_view text);
