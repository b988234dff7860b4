#include "kit/kit_verify.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "core/components.h"
#include "core/text.h"
#include "kit/kit_files.h"
#include "kit/piece_manifest.h"
#include "unzip/quill_unzip.h"

namespace korven::kit {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// "NrDiscuri" of section "General", looked up as the profile functions do
// (names without regard to case); -1 when absent or not a number.
long DiskCountSetting(const std::string& settings) {
    std::istringstream lines(settings);
    std::string line;
    bool inGeneral = false;
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[') {
            inGeneral = UpperAscii(line) == "[GENERAL]";
        } else if (inGeneral && line.find('=') != std::string::npos) {
            if (UpperAscii(Trimmed(line.substr(0, line.find('=')))) != "NRDISCURI") continue;
            std::string value = Trimmed(line.substr(line.find('=') + 1));
            if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) return -1;
            return std::stol(value);
        }
    }
    return -1;
}

// A folder of the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("kitmake-verify-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

struct Piece {
    size_t disk;
    unsigned long number;
    fs::path file;
};

// A file the copy page would take as a piece, whatever its number.
struct FoundPiece {
    size_t disk;
    std::string name;
    fs::path file;
};

// What the copy page takes as a piece: an extension ending in a digit and a
// component's name before the first dot.
bool IsComponentPiece(const std::string& name) {
    size_t firstDot = name.find('.');
    std::string extension = fs::path(name).extension().string();
    return firstDot != std::string::npos && extension.size() >= 2 && std::isdigit(uint8_t(extension.back())) &&
           ComponentRow(UpperAscii(name.substr(0, firstDot)));
}

// The engine takes paths the Windows way; on POSIX it turns "\" back.
std::string EnginePath(fs::path path) { return path.make_preferred().string(); }

class Verifier {
public:
    explicit Verifier(const fs::path& kit) : kit_(kit) {}

    VerifyReport Run() {
        if (!FindDisks()) return std::move(report_);
        CheckFixedFiles();
        for (size_t index = 0; index < disks_.size(); ++index) CollectPieces(index + 1, disks_[index]);
        CheckManifest();
        for (const TCompRecord& row : Components) CheckComponent(row.CompName);
        return std::move(report_);
    }

private:
    void Problem(const std::string& text) { report_.problems.push_back(text); }

    std::string DiskLabel(size_t disk) const {
        return oneFolder_ ? std::string("trusa") : "discul " + std::to_string(disk);
    }

    bool FindDisks() {
        std::error_code error;
        if (fs::is_regular_file(kit_ / MarkerName(1), error)) {
            oneFolder_ = true;
            disks_.push_back(kit_);
            return true;
        }
        if (!fs::is_directory(kit_ / MarkerName(1), error)) {
            Problem(kit_.string() + " nu este o trusa: nu are nici marcajul DISK1, nici dosarul DISK1");
            return false;
        }
        size_t highest = 0;
        for (const auto& entry : fs::directory_iterator(kit_, error)) {
            std::string name = UpperAscii(entry.path().filename().string());
            if (entry.is_directory() && name.size() > 4 && name.rfind("DISK", 0) == 0 &&
                name.find_first_not_of("0123456789", 4) == std::string::npos) {
                highest = std::max<size_t>(highest, std::stoul(name.substr(4)));
            }
        }
        for (size_t disk = 1; disk <= highest; ++disk) {
            fs::path folder = kit_ / MarkerName(disk);
            if (!fs::is_directory(folder, error)) Problem("lipseste dosarul discului " + std::to_string(disk));
            disks_.push_back(folder);
        }
        for (size_t disk = 1; disk <= disks_.size(); ++disk) {
            if (!fs::is_regular_file(disks_[disk - 1] / MarkerName(disk), error)) {
                Problem(DiskLabel(disk) + ": lipseste marcajul " + MarkerName(disk));
            }
        }
        return true;
    }

    void CheckFixedFiles() {
        std::error_code error;
        for (const char* name : {kInstallerFile, kSettingsFile, kUpgradeFile}) {
            if (!fs::is_regular_file(disks_[0] / name, error)) Problem(DiskLabel(1) + ": lipseste " + name);
        }
        if (fs::is_regular_file(disks_[0] / kSettingsFile, error)) {
            long count = DiskCountSetting(ReadFile(disks_[0] / kSettingsFile));
            if (count < 0) {
                Problem(std::string(kSettingsFile) +
                        ": lipseste NrDiscuri din [General] (instalarea ar cere 6 discuri)");
            } else if (static_cast<size_t>(count) != disks_.size()) {
                Problem(std::string(kSettingsFile) + ": NrDiscuri=" + std::to_string(count) + ", dar trusa are " +
                        std::to_string(disks_.size()) + (disks_.size() == 1 ? " disc" : " discuri"));
            }
        }
        if (fs::is_regular_file(disks_[0] / kUpgradeFile, error)) {
            CheckArchive(kUpgradeArchive, disks_[0] / kUpgradeFile, kUpgradeFile);
        }
    }

    // A piece's number must be a plain one for the pieces to join in a
    // known order.
    void CollectPieces(size_t disk, const fs::path& folder) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (!entry.is_regular_file()) continue;
            std::string name = entry.path().filename().string();
            if (!IsComponentPiece(name)) continue;
            found_.push_back({disk, name, entry.path()});
            size_t firstDot = name.find('.');
            std::string component = UpperAscii(name.substr(0, firstDot));
            std::string number = name.substr(firstDot + 1);
            if (number.find_first_not_of("0123456789") != std::string::npos || number.front() == '0') {
                Problem(DiskLabel(disk) + ": piesa " + name + " nu are un numar simplu (" + component +
                        ".1, .2, ...): ordinea in care se lipeste nu este sigura");
                continue;
            }
            pieces_[component].push_back({disk, std::stoul(number), entry.path()});
        }
        if (error) Problem(DiskLabel(disk) + ": dosarul " + folder.string() + " nu poate fi citit");
    }

    // Every piece on every disk against the list in the settings file: the
    // installer checks each piece by it as it copies it, and a kit whose list
    // disagrees with its disks would stop at a good disk.
    void CheckManifest() {
        std::error_code error;
        fs::path settingsFile = disks_[0] / kSettingsFile;
        if (!fs::is_regular_file(settingsFile, error)) return;  // already a problem
        ManifestReading manifest = ReadManifest(ReadFile(settingsFile));
        const std::string section = std::string("[") + kManifestSection + "]";
        const std::string list = "lista " + section + " din " + kSettingsFile;
        if (!manifest.present) {
            report_.warnings.push_back(std::string(kSettingsFile) + " nu are lista " + section +
                                       ": piesele se verifica numai lipite, ca arhive");
            return;
        }
        for (const std::string& line : manifest.unreadable) {
            Problem(list + ": linia \"" + line + "\" nu are forma PIESA=OCTETI,CRC-32,DISC");
        }
        std::map<std::string, const ManifestPiece*> listed;
        for (const ManifestPiece& piece : manifest.pieces) listed.emplace(UpperAscii(piece.name), &piece);
        std::set<std::string> met;
        for (const FoundPiece& piece : found_) {
            auto entry = listed.find(UpperAscii(piece.name));
            std::string label = DiskLabel(piece.disk) + ": piesa " + piece.name;
            if (entry == listed.end()) {
                Problem(label + " nu apare in " + list);
                continue;
            }
            met.insert(entry->first);
            const ManifestPiece& expected = *entry->second;
            if (expected.disk != piece.disk) {
                Problem(label + " nu este la locul ei: " + list + " o pune pe discul " + std::to_string(expected.disk));
                continue;
            }
            ComparePiece(piece, expected, list);
        }
        for (const ManifestPiece& piece : manifest.pieces) {
            if (met.count(UpperAscii(piece.name)) != 0) continue;
            if (IsComponentPiece(piece.name)) {
                Problem(DiskLabel(piece.disk) + ": lipseste piesa " + piece.name + ", pe care " + list +
                        " o pune aici");
            } else {
                report_.warnings.push_back(list + " numeste " + piece.name +
                                           ", care nu este piesa unei arhive de componenta");
            }
        }
    }

    // A piece on the disk its line names: its bytes against the line.
    void ComparePiece(const FoundPiece& piece, const ManifestPiece& expected, const std::string& list) {
        std::string label = DiskLabel(piece.disk) + ": piesa " + piece.name;
        std::ifstream in(piece.file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad() || !in.is_open()) {
            Problem(label + " nu poate fi citita");
        } else if (bytes.size() != expected.size) {
            Problem(label + " are " + std::to_string(bytes.size()) + " octeti in loc de " +
                    std::to_string(expected.size) + " (" + list + ")");
        } else if (uint32_t crc = PieceCrc(bytes); crc != expected.crc) {
            Problem(label + " este deteriorata: CRC-32 " + CrcText(crc) + " in loc de " + CrcText(expected.crc) + " (" +
                    list + ")");
        }
    }

    // The pieces in the order the copy page joins them must be 1, 2, ... n.
    bool PiecesInOrder(const std::string& component, std::vector<Piece>& pieces) {
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            return a.disk != b.disk ? a.disk < b.disk : a.number < b.number;
        });
        bool whole = true;
        std::map<unsigned long, size_t> seenOn;
        unsigned long highest = 0;
        for (const Piece& piece : pieces) {
            auto [place, added] = seenOn.emplace(piece.number, piece.disk);
            if (!added) {
                Problem("arhiva " + component + ": piesa " + PieceName(component, piece.number) +
                        " apare de doua ori (" + DiskLabel(place->second) + ", " + DiskLabel(piece.disk) + ")");
                whole = false;
            }
            highest = std::max(highest, piece.number);
        }
        for (unsigned long number = 1; number <= highest; ++number) {
            if (seenOn.count(number) == 0) {
                Problem("arhiva " + component + ": lipseste piesa " + PieceName(component, number) +
                        (number == 1 ? ", care incepe arhiva" : ""));
                whole = false;
            }
        }
        if (!whole) return false;
        for (size_t index = 0; index < pieces.size(); ++index) {
            if (pieces[index].number != index + 1) {
                Problem("arhiva " + component + ": piesa " + PieceName(component, pieces[index].number) + " (" +
                        DiskLabel(pieces[index].disk) + ") ar fi lipita inaintea piesei " +
                        PieceName(component, index + 1));
                return false;
            }
        }
        return true;
    }

    void CheckComponent(const std::string& component) {
        auto found = pieces_.find(component);
        if (found == pieces_.end()) {
            if (!IsOptionalComponent(component))
                report_.warnings.push_back("arhiva " + component + " lipseste din trusa");
            return;
        }
        std::vector<Piece>& pieces = found->second;
        if (!PiecesInOrder(component, pieces)) return;
        fs::path joined = scratch_.Path() / (component + ".ZIP");
        {
            std::ofstream out(joined, std::ios::binary | std::ios::trunc);
            for (const Piece& piece : pieces) {
                std::ifstream in(piece.file, std::ios::binary);
                out << in.rdbuf();
            }
            out.close();
            if (!out) {
                Problem("arhiva " + component + ": piesele nu pot fi lipite in " + joined.string());
                return;
            }
        }
        std::string names = pieces.size() == 1 ? PieceName(component, 1)
                                               : PieceName(component, 1) + " .. " + PieceName(component, pieces.size());
        CheckArchive(component, joined, names);
    }

    // The directory against the local headers (what the engine extracts by),
    // then every member extracted and its CRC checked by the engine.
    void CheckArchive(const std::string& archive, const fs::path& file, const std::string& pieceNames) {
        std::string label = "arhiva " + archive + " (" + pieceNames + ")";
        std::string bytes = ReadFile(file);
        unzip::DirectoryFindings findings;
        int32_t listed = unzip::ListArchiveEntries(
            EnginePath(file), "*.*",
            [&](const unzip::DirectoryCursor& entry) { CompareLocalHeader(label, bytes, entry); }, &findings);
        if (listed < 0 || findings.state != unzip::DirectoryState::kWhole || listed == 0) {
            Problem(label + ": directorul arhivei lipseste sau este deteriorat");
            return;
        }
        fs::path target = scratch_.Path() / (archive + ".out");
        std::vector<std::string> failures;
        int32_t extracted = unzip::ExtractArchive(
            EnginePath(file), EnginePath(target), "*.*",
            [&](int32_t argument, const unzip::ReportRecord& record) {
                if (record.status == unzip::kReportMemberFailed) {
                    failures.push_back(std::string(record.name) + " (cod " + std::to_string(argument) + ")");
                }
            },
            nullptr, &findings);
        std::error_code error;
        fs::remove_all(target, error);
        for (const std::string& failure : failures) Problem(label + ": membru deteriorat " + failure);
        if (extracted < 0 || extracted < findings.matching || findings.state != unzip::DirectoryState::kWhole) {
            if (failures.empty()) Problem(label + ": extragerea a esuat (rezultat " + std::to_string(extracted) + ")");
            return;
        }
        report_.archives.push_back(
            archive + ": " + (extracted == 1 ? "1 fisier intreg" : std::to_string(extracted) + " fisiere intregi"));
    }

    void CompareLocalHeader(const std::string& label, const std::string& bytes, const unzip::DirectoryCursor& entry) {
        auto read16 = [&](size_t at) { return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8; };
        auto read32 = [&](size_t at) { return read16(at) | read16(at + 2) << 16; };
        size_t at = static_cast<uint32_t>(entry.localHeaderOffset);
        bool same = at + 30 <= bytes.size() && read32(at) == 0x04034B50;
        if (same) {
            size_t nameLength = read16(at + 26);
            std::string name = at + 30 + nameLength <= bytes.size() ? bytes.substr(at + 30, nameLength) : "";
            std::replace(name.begin(), name.end(), '/', '\\');
            bool sizesFollow = (read16(at + 6) & 8) != 0;
            same = name == entry.name && read16(at + 8) == entry.method &&
                   (sizesFollow ||
                    (read32(at + 14) == entry.crc32 && read32(at + 18) == static_cast<uint32_t>(entry.compressedSize) &&
                     read32(at + 22) == static_cast<uint32_t>(entry.uncompressedSize)));
        }
        if (!same) Problem(label + ": membrul " + entry.name + " nu se potriveste cu directorul arhivei");
    }

    fs::path kit_;
    bool oneFolder_ = false;
    std::vector<fs::path> disks_;
    std::map<std::string, std::vector<Piece>> pieces_;
    std::vector<FoundPiece> found_;
    ScratchFolder scratch_;
    VerifyReport report_;
};

}  // namespace

VerifyReport VerifyKit(const fs::path& kit) { return Verifier(kit).Run(); }

}  // namespace korven::kit
