#include "copy/extraction_check.h"

using korven::unzip::DirectoryState;

namespace {

std::string OutOf(std::int32_t extracted, std::int32_t matching) {
    return "au fost decompresate " + std::to_string(extracted) + " din " + std::to_string(matching) + " fisiere";
}

}  // namespace

std::optional<std::string> ExtractionShortfall(std::int32_t extracted, DirectoryState directory,
                                               std::int32_t matching) {
    if (extracted == korven::unzip::kNotZipArchive) return "arhiva lipseste sau nu este o arhiva ZIP";
    // Stopped (a read failure, Escape): the count of what came out is lost.
    if (extracted < 0) return "decompresia s-a oprit inainte de sfarsitul arhivei";
    switch (directory) {
    case DirectoryState::kUnreadable: return "directorul arhivei nu poate fi citit";
    case DirectoryState::kCutShort: return "directorul arhivei este deteriorat; " + OutOf(extracted, matching);
    case DirectoryState::kWhole: break;
    }
    if (extracted < matching) return "unele fisiere sunt deteriorate; " + OutOf(extracted, matching);
    return std::nullopt;
}
