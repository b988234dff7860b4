#include "kit/kit_builder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/components.h"
#include "kit/disk_plan.h"
#include "kit/kit_description.h"
#include "kit/kit_error.h"
#include "kit/kit_files.h"
#include "kit/piece_manifest.h"
#include "kit/sources.h"
#include "kit/zip_writer.h"

namespace korven::kit {
namespace {

namespace fs = std::filesystem;

struct NamedArchive {
    std::string name;  // the component, or UPGRADE
    std::string bytes;
};

// The kit's contents before they are laid out on disks.
struct KitContents {
    fs::path installer;
    uint64_t installerSize = 0;
    std::string upgrade;
    std::vector<NamedArchive> components;  // in the installer's table order
};

KitContents MakeContents(const KitDescription& description, std::vector<std::string>& warnings) {
    KitContents contents;
    contents.installer = description.installer;
    std::error_code error;
    contents.installerSize = fs::file_size(description.installer, error);
    if (error) throw KitError("fisierul " + description.installer.string() + " nu poate fi citit");
    contents.upgrade = MakeZipArchive(kUpgradeFile, GatherArchiveSources(kUpgradeFile, description.upgrade));
    for (const TCompRecord& row : Components) {
        std::string name(row.CompName);
        const ComponentSource* source = nullptr;
        for (const ComponentSource& component : description.components) {
            if (component.name == name) source = &component;
        }
        if (source == nullptr) {
            if (!IsOptionalComponent(name)) {
                warnings.push_back("componenta " + name + " lipseste: programul de instalare nu o va putea extrage");
            }
            continue;
        }
        contents.components.push_back({name, MakeZipArchive(name, GatherArchiveSources(name, source->folders))});
    }
    return contents;
}

std::vector<SizedFile> FixedFiles(const KitContents& contents, uint64_t settingsSize) {
    return {{kInstallerFile, contents.installerSize},
            {kSettingsFile, settingsSize},
            {kUpgradeFile, contents.upgrade.size()}};
}

uint64_t MarkerSize(size_t disk) { return MarkerText(disk).size(); }

std::string_view PieceBytes(const KitContents& contents, const Placement& piece) {
    return std::string_view(contents.components[piece.source].bytes).substr(piece.offset, piece.size);
}

// The settings file of a laid-out kit: the disk count, then every piece with
// the CRC that `crcOf` gives it.
std::string SettingsFor(const std::vector<Disk>& disks, const std::function<uint32_t(const Placement&)>& crcOf) {
    std::vector<ManifestPiece> pieces;
    for (size_t index = 0; index < disks.size(); ++index) {
        for (const Placement& file : disks[index]) {
            if (file.kind == Placement::Kind::kPiece)
                pieces.push_back({file.fileName, file.size, crcOf(file), index + 1});
        }
    }
    return SettingsText(disks.size()) + ManifestText(pieces);
}

// A CRC's eight digits are as long whatever its value, so the size of the
// settings file is known before any CRC is computed.
uint64_t SettingsSize(const std::vector<Disk>& disks) {
    return SettingsFor(disks, [](const Placement&) { return 0u; }).size();
}

void RecordSettingsSize(std::vector<Disk>& disks, uint64_t size) {
    for (Placement& file : disks.front()) {
        if (file.kind == Placement::Kind::kFixed && file.fileName == kSettingsFile) file.size = size;
    }
}

// The settings file lists the pieces and the disk count, so its size depends
// on the plan that counts it on disk 1. Plan with room kept for it, and with
// more room until what it needs fits into what was kept. The room kept only
// grows, up to all that disk 1 has beside the other fixed files: then no
// piece begins on disk 1, which settles the case where the line of a small
// first piece would take the very bytes that piece was given. Empty when disk
// 1 cannot hold the fixed files.
std::vector<Disk> PlanForCapacity(const KitContents& contents, const std::vector<SizedFile>& archives,
                                  uint64_t capacity) {
    uint64_t others = FirstDiskBytes(FixedFiles(contents, 0), MarkerSize(1));
    if (others >= capacity) return {};
    uint64_t room = capacity - others;
    uint64_t kept = std::min<uint64_t>(SettingsText(1).size(), room);
    for (;;) {
        std::vector<Disk> disks = PlanDisks(FixedFiles(contents, kept), archives, capacity, MarkerSize);
        uint64_t needed = SettingsSize(disks);
        if (needed <= kept) {
            RecordSettingsSize(disks, needed);
            return disks;
        }
        if (kept == room) return {};
        kept = std::min(needed, room);
    }
}

std::vector<Disk> Plan(const KitContents& contents, const BuildOptions& options) {
    std::vector<SizedFile> archives;
    for (const NamedArchive& archive : contents.components) archives.push_back({archive.name, archive.bytes.size()});
    if (!options.disks) {
        std::vector<Disk> folder = PlanOneFolder(FixedFiles(contents, 0), archives, MarkerSize(1));
        RecordSettingsSize(folder, SettingsSize(folder));
        return folder;
    }
    std::vector<Disk> disks = PlanForCapacity(contents, archives, options.diskSize);
    if (!disks.empty()) return disks;
    // The smallest disk that works: the fixed files of one disk, and more for
    // each line that so small a disk adds to the settings file.
    uint64_t needed = FirstDiskBytes(FixedFiles(contents, SettingsText(1).size()), MarkerSize(1));
    while (PlanForCapacity(contents, archives, needed).empty()) ++needed;
    throw KitError(std::string("discul 1 nu poate tine ") + kInstallerFile + ", " + kSettingsFile + ", " +
                   kUpgradeFile + " si " + MarkerName(1) + ": au nevoie de " + std::to_string(needed) +
                   " octeti, discul are " + std::to_string(options.diskSize) + " (alegeti --disk-size de cel putin " +
                   std::to_string(needed) + ")");
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw KitError("fisierul " + file.string() + " nu poate fi scris");
}

// The folder the kit is made in, beside the output; removed unless kept.
class StagingFolder {
public:
    explicit StagingFolder(const fs::path& output) : path_(output.string() + ".kitmake-partial") {
        std::error_code error;
        fs::remove_all(path_, error);
        if (!fs::create_directories(path_, error)) {
            throw KitError("dosarul " + path_.string() + " nu poate fi creat: " + error.message());
        }
    }
    ~StagingFolder() {
        std::error_code error;
        if (!kept_) fs::remove_all(path_, error);
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const fs::path& Path() const { return path_; }

    void MoveTo(const fs::path& output) {
        std::error_code error;
        fs::remove(output, error);  // an empty folder only; checked before building
        fs::rename(path_, output, error);
        if (error) throw KitError("trusa nu poate fi mutata in " + output.string() + ": " + error.message());
        kept_ = true;
    }

private:
    fs::path path_;
    bool kept_ = false;
};

void CheckOutputFree(const fs::path& output) {
    std::error_code error;
    if (!fs::exists(output, error)) return;
    if (!fs::is_directory(output, error) || !fs::is_empty(output, error)) {
        throw KitError("dosarul " + output.string() + " exista si nu este gol: alegeti un dosar nou");
    }
}

std::string SummaryLine(const std::string& place, const Placement& file) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-24s %12llu\n", (place + file.fileName).c_str(),
                  static_cast<unsigned long long>(file.size));
    return line;
}

}  // namespace

BuildReport BuildKit(const fs::path& descriptionFile, const fs::path& output, const BuildOptions& options) {
    BuildReport report;
    CheckOutputFree(output);
    KitDescription description = ReadKitDescription(descriptionFile);
    KitContents contents = MakeContents(description, report.warnings);
    std::vector<Disk> disks = Plan(contents, options);

    std::string settings =
        SettingsFor(disks, [&](const Placement& piece) { return PieceCrc(PieceBytes(contents, piece)); });

    StagingFolder staging(output);
    std::ostringstream summary;
    for (size_t index = 0; index < disks.size(); ++index) {
        size_t number = index + 1;
        fs::path folder = options.disks ? staging.Path() / MarkerName(number) : staging.Path();
        std::string place = options.disks ? MarkerName(number) + "/" : "";
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) throw KitError("dosarul " + folder.string() + " nu poate fi creat: " + error.message());
        summary << (options.disks ? "disc " + std::to_string(number) : std::string("dosar unic")) << "\n";
        uint64_t used = 0;
        for (const Placement& file : disks[index]) {
            fs::path target = folder / file.fileName;
            switch (file.kind) {
            case Placement::Kind::kMarker: WriteBytes(target, MarkerText(number)); break;
            case Placement::Kind::kPiece: WriteBytes(target, PieceBytes(contents, file)); break;
            case Placement::Kind::kFixed:
                if (file.fileName == kSettingsFile) {
                    WriteBytes(target, settings);
                } else if (file.fileName == kUpgradeFile) {
                    WriteBytes(target, contents.upgrade);
                } else if (!fs::copy_file(contents.installer, target, error)) {
                    throw KitError("fisierul " + contents.installer.string() +
                                   " nu poate fi copiat: " + error.message());
                }
                break;
            }
            used += file.size;
            summary << SummaryLine(place, file);
        }
        summary << "  ocupat " << used;
        if (options.disks) summary << " din " << options.diskSize;
        summary << " octeti\n";
    }
    std::string layout = disks.size() == 1 ? "1 disc" : std::to_string(disks.size()) + " discuri";
    summary << (options.disks ? layout : std::string("un dosar")) << ", " << contents.components.size()
            << " arhive de componente\n";
    staging.MoveTo(output);
    report.summary = summary.str();
    return report;
}

}  // namespace korven::kit
