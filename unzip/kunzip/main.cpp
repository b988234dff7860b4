// kunzip: lists or extracts an archive through the installer's own ZIP
// engine and unzip component, printing what the component reports.
//
//   kunzip list ARCHIVE [PATTERN]
//   kunzip extract ARCHIVE TARGETDIR [PATTERN]
//
// The last line is "result: N" with the component's result; what went wrong
// is told on the standard error before it. Exit status: 0 when the result
// is not negative, the directory was read whole and every matching member
// was extracted; 1 otherwise; 2 for a usage error.
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "unzip/quill_unzip.h"

namespace {

using namespace korven::unzip;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// What goes to the standard output, handed on in blocks of 64 KB. Windows'
// C run-time writes a stream that is not a console at every printf, and
// under Wine each write is also a round trip to the server: one line per
// written block of every member made that most of kunzip's time. At a
// console or a terminal each line goes out as it comes.
class Lines {
public:
    Lines() {
#ifdef _WIN32
        DWORD mode = 0;  // not the run-time's own test: it takes the NUL device for a console
        interactive_ = ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE;
#else
        interactive_ = isatty(fileno(stdout)) != 0;
#endif
    }
    Lines(const Lines&) = delete;
    Lines& operator=(const Lines&) = delete;

    void Add(const char* format, ...) {
        va_list arguments;
        va_start(arguments, format);
        char line[512];
        const int length = std::vsnprintf(line, sizeof line, format, arguments);
        va_end(arguments);
        if (length >= static_cast<int>(sizeof line)) {
            std::string longer(static_cast<size_t>(length) + 1, '\0');
            va_start(arguments, format);
            std::vsnprintf(longer.data(), longer.size(), format, arguments);
            va_end(arguments);
            text_.append(longer.data(), static_cast<size_t>(length));
        } else if (length > 0) {
            text_.append(line, static_cast<size_t>(length));
        }
        if (interactive_ || text_.size() >= kBlock) Flush();
    }
    void Flush() {
        std::fwrite(text_.data(), 1, text_.size(), stdout);
        std::fflush(stdout);
        text_.clear();
    }

private:
    static constexpr size_t kBlock = 64 * 1024;
    std::string text_;
    bool interactive_ = false;
};
Lines output;

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

// Printed names show a NUL byte as "\0", so that a name cut there is seen.
std::string Printable(const std::string& name) {
    if (name.find('\0') == std::string::npos) return name;
    std::string shown;
    for (char c : name) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
    return shown;
}

// Problems go to the standard error, after what was printed so far.
void Problem(const std::string& text) {
    output.Flush();
    std::fprintf(stderr, "eroare: %s\n", text.c_str());
}

// False, after saying so, when the directory could not be read whole.
bool DirectoryWasRead(DirectoryState state) {
    if (state == DirectoryState::kUnreadable) {
        Problem("directorul arhivei nu poate fi gasit sau citit");
    } else if (state == DirectoryState::kCutShort) {
        Problem("directorul arhivei este deteriorat; intrarile de dupa deteriorare lipsesc");
    }
    return state == DirectoryState::kWhole;
}

const char* FailureText(int32_t code) {
    switch (code) {
    case kCrcMismatch: return "date deteriorate (CRC, marime sau date comune cu alt membru)";
    case kCannotWrite: return "nu poate fi scris (nume nesigur, legatura in drum sau eroare de scriere)";
    case kUnsupported: return "metoda de comprimare nesuportata";
    case kEncrypted: return "membru criptat";
    default: return "extragere esuata";  // no other code reaches a member failure report
    }
}

int List(const std::string& archive, const std::string& pattern) {
    int64_t compressedTotal = 0;
    int64_t uncompressedTotal = 0;
    DirectoryFindings findings;
    int32_t result = ListArchiveEntries(
        archive, pattern,
        [&](const DirectoryCursor& entry) {
            output.Add("%2u %04x %10" PRIu32 " %10" PRIu32 " %08" PRIx32 " %08" PRIx32 " %s\n", entry.method,
                       entry.flags, static_cast<uint32_t>(entry.compressedSize),
                       static_cast<uint32_t>(entry.uncompressedSize), entry.dateTime, entry.crc32,
                       Printable(entry.name).c_str());
            compressedTotal += static_cast<uint32_t>(entry.compressedSize);
            uncompressedTotal += static_cast<uint32_t>(entry.uncompressedSize);
        },
        &findings);
    bool whole = result < 0 || DirectoryWasRead(findings.state);
    if (result >= 0) {
        output.Add("total: %" PRId32 " members, %" PRId64 " compressed, %" PRId64 " uncompressed\n", result,
                   compressedTotal, uncompressedTotal);
    }
    output.Add("result: %" PRId32 "\n", result);
    return (result < 0 || !whole) ? kExitFailed : kExitOk;
}

int Extract(const std::string& archive, const std::string& folder, const std::string& pattern) {
    // A member that starts and neither ends nor fails was left by a stop or
    // by a decoder result the component passes over without a report.
    std::string started;
    TQuillUnzip unzip;
    unzip.SetFileName(archive);
    unzip.SetDirectoryName(folder);
    unzip.SetFileSpecs(pattern);
    unzip.SetReportProc([&started](int32_t argument, const ReportRecord& record) {
        output.Add("%" PRId32 " %" PRId32 " %s\n", record.status, argument, record.name);
        if (record.status == kReportMemberStart) started = record.name;
        if (record.status == kReportMemberDone) started.clear();
        if (record.status == kReportMemberFailed) {
            Problem(std::string(record.name) + ": " + FailureText(argument));
            started.clear();
        }
    });
    int32_t result = unzip.Extract();
    if (!started.empty()) {
        Problem(started + (result == kStopped ? ": extragerea s-a oprit aici (date lipsa sau deteriorate, ori Escape)"
                                              : ": date deteriorate; extragerea s-a oprit aici"));
    }
    bool whole = result < 0 || DirectoryWasRead(unzip.Directory());
    bool allExtracted = result >= 0 && result >= unzip.MatchingMembers();
    if (result >= 0 && !allExtracted) {
        Problem(std::to_string(unzip.MatchingMembers() - result) + " din " + std::to_string(unzip.MatchingMembers()) +
                " membri nu au fost extrasi");
    }
    output.Add("result: %" PRId32 "\n", result);
    return (result < 0 || !whole || !allExtracted) ? kExitFailed : kExitOk;
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
    output.Flush();
    return status;
}
