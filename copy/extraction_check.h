// Whether a component's archive came out whole, told from what the unzip
// component answered: its count, how much of the directory it read and how
// many members matched. The answer is the Romanian words for what failed,
// ready to be shown under the component's name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "unzip/zip_types.h"

// Nothing when every member was extracted (or kept on the question's answer).
std::optional<std::string> ExtractionShortfall(std::int32_t extracted, korven::unzip::DirectoryState directory,
                                               std::int32_t matching);
