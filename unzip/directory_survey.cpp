#include "unzip/directory_survey.h"

#include <algorithm>

#include "unzip/local_header.h"
#include "unzip/quill_unzip.h"

namespace korven::unzip {
namespace {

// The bytes a member occupies: its local header, name, extra field and
// compressed data.
struct StoredSpan {
    uint64_t start;
    uint64_t end;
    uint32_t entry;
};

StoredSpan SpanOf(platform::InputFile& archive, const DirectoryCursor& cursor, uint32_t entry) {
    const auto start = static_cast<uint32_t>(cursor.localHeaderOffset);
    LocalHeader header;
    // An unreadable local header fails its member on its own; its span is
    // the header's size, so that it spoils no neighbour.
    if (!archive.IsOpen() || !ReadLocalHeader(archive, start, header)) return {start, start + kLocalHeaderSize, entry};
    // The engine reads as much as the local header says, or, when the sizes
    // follow the data, as much as the directory says.
    uint32_t compressed =
        header.SizesFollowData() ? static_cast<uint32_t>(cursor.compressedSize) : header.compressedSize;
    return {start, header.dataStart + compressed, entry};
}

// Sorted by start, a span overlaps an earlier one when it starts before the
// furthest end so far, and a later one when it ends after its successor's
// start (the successor starts first among the later ones).
std::vector<bool> FindOverlaps(std::vector<StoredSpan> spans) {
    std::vector<bool> overlapping(spans.size(), false);
    std::sort(spans.begin(), spans.end(), [](const StoredSpan& a, const StoredSpan& b) { return a.start < b.start; });
    uint64_t furthestEnd = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (i > 0 && spans[i].start < furthestEnd) overlapping[spans[i].entry] = true;
        if (i + 1 < spans.size() && spans[i].end > spans[i + 1].start) overlapping[spans[i].entry] = true;
        furthestEnd = std::max(furthestEnd, spans[i].end);
    }
    return overlapping;
}

}  // namespace

DirectorySurvey SurveyDirectory(const std::string& archivePath, const std::string& pattern) {
    DirectorySurvey survey;
    platform::InputFile archive;
    archive.Open(archivePath);
    std::vector<StoredSpan> spans;
    DirectoryCursor cursor;
    for (int walk = OpenDirectory(archivePath, cursor); walk == kOk; walk = NextDirectoryEntry(cursor)) {
        if (MatchesFileSpec(pattern, cursor.name)) ++survey.matching;
        spans.push_back(SpanOf(archive, cursor, static_cast<uint32_t>(spans.size())));
    }
    survey.state = WalkState(cursor);
    survey.overlapping = FindOverlaps(std::move(spans));
    return survey;
}

}  // namespace korven::unzip
