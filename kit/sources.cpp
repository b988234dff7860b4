#include "kit/sources.h"

#include <algorithm>
#include <map>

#include "core/text.h"
#include "kit/kit_error.h"

namespace korven::kit {
namespace {

namespace fs = std::filesystem;

// Windows keeps names below 260 characters, and the installer's engine
// reports a stored name of 259 characters at most.
constexpr size_t kLongestMemberName = 259;

// The installer creates members with the ANSI file functions under the
// user's code page: plain ASCII names are the ones that come out the same
// everywhere, and these characters cannot be in a Windows file name.
bool IsPortableName(const std::string& name) {
    if (name.size() > kLongestMemberName) return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c >= 0x7F) return false;
        if (std::string_view("<>:\"\\|?*").find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return true;
}

}  // namespace

std::vector<ArchiveSource> GatherArchiveSources(const std::string& archiveName,
                                                const std::vector<SourceFolder>& folders) {
    struct Seen {
        ArchiveSource source;
        int line;
    };
    std::map<std::string, Seen> byKey;
    for (const SourceFolder& folder : folders) {
        std::error_code error;
        fs::recursive_directory_iterator walk(folder.folder, error), end;
        for (; !error && walk != end; walk.increment(error)) {
            if (!walk->is_regular_file(error)) continue;
            std::string name = walk->path().lexically_relative(folder.folder).generic_string();
            if (!IsPortableName(name)) {
                throw KitError(archiveName + ": numele " + name + " (linia " + std::to_string(folder.line) +
                               ") nu poate fi creat de programul de instalare: doar litere ASCII, fara <>:\"\\|?*, "
                               "cel mult 259 de caractere");
            }
            auto [place, added] = byKey.try_emplace(UpperAscii(name), Seen{{name, walk->path()}, folder.line});
            if (!added) {
                throw KitError(archiveName + ": fisierul " + name + " apare in doua dosare: " +
                               place->second.source.file.string() + " (linia " + std::to_string(place->second.line) +
                               ") si " + walk->path().string() + " (linia " + std::to_string(folder.line) + ")");
            }
        }
        if (error) {
            throw KitError(archiveName + ": dosarul " + folder.folder.string() + " (linia " +
                           std::to_string(folder.line) + ") nu poate fi citit: " + error.message());
        }
    }
    if (byKey.empty()) throw KitError(archiveName + ": dosarele date nu contin niciun fisier");
    std::vector<ArchiveSource> sources;
    for (auto& [key, seen] : byKey) sources.push_back(std::move(seen.source));
    return sources;
}

}  // namespace korven::kit
