#include "copy/archive_survey.h"

#include <windows.h>

#include "core/text.h"
#include "copy/copy_messages.h"
#include "unzip/quill_unzip.h"

namespace unzip = korven::unzip;

namespace {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Named(const TCompRecord& component, const std::string& archiveName) {
    return "Arhiva " + archiveName + " (" + component.CompDescription + ")";
}

}  // namespace

std::vector<SurveyedArchive> SurveyArchives(const std::string& archiveFolder, TCompSet selected,
                                            const std::function<bool(const std::string& archiveName)>& optional) {
    const std::string folder =
        archiveFolder.empty() || archiveFolder.back() == '\\' ? archiveFolder : archiveFolder + "\\";
    std::vector<SurveyedArchive> archives;
    for (int row = 0; row < ComponentCount; ++row) {
        const TCompRecord& component = Components[row];
        if (!InSet(selected, row) || component.CompName[0] == '\0') continue;
        const std::string name = UpperAscii(std::string(component.CompName) + ".ZIP");
        SurveyedArchive archive{&component, folder + component.CompName + ".ZIP", {}};
        if (!FileExists(archive.path)) {
            if (optional(name)) continue;
            throw CopyFailure(Named(component, name) +
                              "\rlipseste din kitul de instalare.\rNu a fost inlocuit niciun fisier.");
        }
        unzip::DirectoryFindings findings;
        const std::int32_t listed = unzip::ListArchiveEntries(
            archive.path, "*.*",
            [&archive](const unzip::DirectoryCursor& entry) {
                archive.members.push_back({entry.name, static_cast<std::uint32_t>(entry.uncompressedSize)});
            },
            &findings);
        if (listed < 0 || findings.state != unzip::DirectoryState::kWhole) {
            throw CopyFailure(Named(component, name) +
                              "\rnu poate fi citita: directorul ei lipseste sau este deteriorat.\rNu a fost inlocuit "
                              "niciun fisier.");
        }
        archives.push_back(std::move(archive));
    }
    return archives;
}
