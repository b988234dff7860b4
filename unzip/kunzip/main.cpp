// kunzip: lists or extracts an archive through the installer's own ZIP
// engine and unzip component, printing what the component reports.
//
//   kunzip list ARCHIVE [PATTERN]
//   kunzip extract ARCHIVE TARGETDIR [PATTERN]
//
// The last line is "result: N" with the component's result. Exit status: 0
// when the result is not negative and no member failed, 1 otherwise, 2 for a
// usage error.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "unzip/quill_unzip.h"

namespace {

using namespace korven::unzip;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Usage() {
    std::fputs(
        "Utilizare:\n"
        "  kunzip list ARHIVA [MODEL]\n"
        "      o linie pe membru: metoda, indicatori, marime comprimata, marime,\n"
        "      data si ora DOS, CRC din director, nume; apoi totalurile\n"
        "  kunzip extract ARHIVA DOSAR [MODEL]\n"
        "      extrage prin componenta de dezarhivare; o linie pe raport:\n"
        "      stare, primul argument, nume\n"
        "MODEL: *.*, *.EXT, PREFIX* sau un nume intreg (implicit *.*).\n"
        "Ultima linie este \"result: N\".\n",
        stderr);
    return kExitUsage;
}

int List(const std::string& archive, const std::string& pattern) {
    int64_t compressedTotal = 0;
    int64_t uncompressedTotal = 0;
    int32_t result = ListArchiveEntries(archive, pattern, [&](const DirectoryCursor& entry) {
        std::printf("%2u %04x %10" PRIu32 " %10" PRIu32 " %08" PRIx32 " %08" PRIx32 " %s\n", entry.method, entry.flags,
                    static_cast<uint32_t>(entry.compressedSize), static_cast<uint32_t>(entry.uncompressedSize),
                    entry.dateTime, entry.crc32, entry.name.c_str());
        compressedTotal += static_cast<uint32_t>(entry.compressedSize);
        uncompressedTotal += static_cast<uint32_t>(entry.uncompressedSize);
    });
    if (result >= 0) {
        std::printf("total: %" PRId32 " members, %" PRId64 " compressed, %" PRId64 " uncompressed\n", result,
                    compressedTotal, uncompressedTotal);
    }
    std::printf("result: %" PRId32 "\n", result);
    return result < 0 ? kExitFailed : kExitOk;
}

int Extract(const std::string& archive, const std::string& folder, const std::string& pattern) {
    bool memberFailed = false;
    TQuillUnzip unzip;
    unzip.SetFileName(archive);
    unzip.SetDirectoryName(folder);
    unzip.SetFileSpecs(pattern);
    unzip.SetReportProc([&memberFailed](int32_t argument, const ReportRecord& record) {
        if (record.status == kReportMemberFailed) memberFailed = true;
        std::printf("%" PRId32 " %" PRId32 " %s\n", record.status, argument, record.name);
    });
    int32_t result = unzip.Extract();
    std::printf("result: %" PRId32 "\n", result);
    return (result < 0 || memberFailed) ? kExitFailed : kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    int status;
    if (command == "list" && (argc == 3 || argc == 4)) {
        status = List(argv[2], argc == 4 ? argv[3] : "*.*");
    } else if (command == "extract" && (argc == 4 || argc == 5)) {
        status = Extract(argv[2], argv[3], argc == 5 ? argv[4] : "*.*");
    } else {
        return Usage();
    }
    std::fflush(stdout);
    return status;
}
