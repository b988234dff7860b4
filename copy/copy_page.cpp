#include "copy/copy_page.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "copy/archive_pieces.h"
#include "core/debug_log.h"
#include "core/files.h"
#include "core/text.h"
#include "copy/component_extraction.h"
#include "copy/copy_messages.h"
#include "copy/disk_space.h"
#include "copy/engine_folder.h"
#include "copy/extraction_record.h"
#include "copy/kit_assembly.h"
#include "copy/written_files.h"
#include "core/engine_presence.h"
#include "core/program_path.h"
#include "core/registry_key.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "core/settings.h"
#include "core/version.h"
#include "toolkit/active_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "unzip/quill_unzip.h"

namespace {

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

std::uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Where a component's files will go, for counting the room they need: the
// engine's folder only when a new engine is to be put in.
std::string DestinationOf(const TCompRecord& component) {
    switch (component.CompTarget) {
    case ctProgram: return InstallSettings.ProgramDir;
    case ctData:
    case ctNewData: return InstallSettings.DataDir;
    case ctEngine: break;
    }
    if (EngineInstalled()) return {};
    const std::optional<RegistryKey> windows =
        RegistryKey::Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    return windows ? windows->ReadString("ProgramFilesDir").value_or("") : std::string();
}

// The bytes the archives of `archiveFolder` will take once extracted, by
// the drive each goes to.
SpaceNeeds UnpackedNeeds(const std::string& archiveFolder, TCompSet selected) {
    SpaceNeeds needs;
    for (int row = 0; row < ComponentCount; ++row) {
        const TCompRecord& component = Components[row];
        if (!InSet(selected, row) || component.CompName[0] == '\0') continue;
        std::int32_t compressed = 0;
        const std::int32_t unpacked =
            korven::unzip::ArchiveContentSize(archiveFolder + "\\" + component.CompName + ".ZIP", compressed);
        const std::string root = DriveRootOf(DestinationOf(component));
        if (unpacked > 0 && !root.empty()) needs[root] += static_cast<std::uint64_t>(unpacked);
    }
    return needs;
}

bool SameFolder(const std::string& a, const std::string& b) {
    return UpperAscii(WithoutFinalBackslash(a)) == UpperAscii(WithoutFinalBackslash(b));
}

bool IsExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What a new installation's copy put on the computer, in the record that the
// configuration completes. A copy made again (Back, then Next) into the
// same folders adds to what the first one made.
void NoteInstallation(const WrittenFiles& written, const std::vector<std::string>& foldersMade,
                      const std::string& engineFolder) {
    InstallationRecord& record = InstallSettings.Installed;
    if (!SameFolder(record.programDir, InstallSettings.ProgramDir) ||
        !SameFolder(record.dataDir, InstallSettings.DataDir))
        record = InstallationRecord{};
    record.kitVersion = KORVEN_VERSION_TEXT;
    record.type = InstallSettings.InstallType;
    record.programDir = InstallSettings.ProgramDir;
    record.dataDir = InstallSettings.DataDir;
    if (!engineFolder.empty()) record.engineDir = engineFolder;
    // A folder is noted before its member is written: one whose member was
    // refused was never made.
    for (const std::string& folder : foldersMade)
        if (IsExistingFolder(folder)) RecordFolder(record, folder);
    for (RecordedFile& file : written.Recorded()) RecordFile(record, std::move(file));
    DebugNote("Inregistrarea instalarii: " + std::to_string(record.files.size()) + " fisiere, " +
              std::to_string(record.folders.size()) + " directoare");
}

// Where the copies of files a new installation overwrites are kept until
// the copy ends.
std::string KeepRoot() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    return length > 0 && length < sizeof temp ? std::string(temp, length) : ProgramFolder();
}

}  // namespace

const ClassInfo& TCopy::StaticClass() {
    static const ClassInfo info = ClassBuilder<TCopy>("TCopy", &TTitleForm::StaticClass()).Build();
    return info;
}

TCopy::TCopy(TComponent* owner) : TCopy(owner, InstallSets) {}

TCopy::TCopy(TComponent* owner, const std::array<TCompSet, 4>& componentSets)
    : TTitleForm(owner), componentSets_(componentSets) {
    PublishField("LGroupName", LGroupName);
    PublishField("BNext", BNext);
    PublishField("BBack", BBack);
    PublishField("BCancel", BCancel);
    PublishField("Bevel1", Bevel1);
    PublishField("LCopyProgress", LCopyProgress);
    PublishField("CopyProgress", CopyProgress);
    PublishField("LUnzipProgress", LUnzipProgress);
    PublishField("UnzipProgress", UnzipProgress);
    PublishMethod("FormCreate", &TCopy::FormCreate);
    PublishMethod("BNextClick", &TCopy::BNextClick);
    LoadForm("TCopy");
}

TCopy::~TCopy() = default;

void TCopy::FormCreate(TObject*) { unzipped_ = ExtractionProgress{}; }

void TCopy::ShowStatus(const std::string& text) {
    LGroupName->SetCaption(text);
    LGroupName->Repaint();
}

void TCopy::BNextClick(TObject*) {
    BBack->SetEnabled(false);
    BNext->SetEnabled(false);
    BCancel->SetEnabled(false);
    int result = mrCancel;
    try {
        assembly_ = std::make_unique<PieceAssembly>(InstallSettings.DefaultProgramDir);
        if (AssembleArchives() && ExtractArchives()) result = mrOk;
    } catch (const CopyAbandoned&) {
        // The user chose it at a question: there is nothing more to say.
    } catch (const CopyFailure& failure) {
        ShowCopyError(failure.what());
    } catch (const std::exception& failure) {
        ShowCopyError(std::string("Copierea fisierelor s-a oprit:\r") + failure.what());
    }
    if (result != mrOk) TakeBackExtraction();
    extraction_.reset();
    RemoveAssembledArchives();
    // Set on every way out, so that the page never stays open with its
    // buttons disabled.
    SetModalResult(result);
}

bool TCopy::AssembleArchives() {
    ShowStatus("Asamblare arhive...");
    const KitSource kit = TakeKitSource(InstallSettings);
    CopyProgress->SetMaxValue(static_cast<int>(std::min<std::uint32_t>(kit.diskCount, INT_MAX)));
    CopyProgress->SetProgress(0);
    const KitAssemblyHooks hooks{
        [this](std::uint32_t disk) { return WaitForDisk(disk); },
        [this, &kit](std::uint32_t disk) {
            CopyProgress->SetProgress(static_cast<int>(disk));
            CopyProgress->Repaint();
            // The archives grow by this disk's pieces: room for them first.
            std::uint64_t pieces = 0;
            for (const PieceName& piece : OrderPieces(FilesIn(kit.folder), SelectedComponents()))
                pieces += FileSize(kit.folder + "\\" + piece.file);
            EnsureSpace({{DriveRootOf(InstallSettings.DefaultProgramDir), pieces}});
        },
        [this](const std::string& piece) { ShowStatus(piece); },
        [this](std::uint32_t piecesCopied) {
            CopyProgress->SetProgress(static_cast<int>(std::min<std::uint32_t>(piecesCopied, INT_MAX)));
            CopyProgress->Repaint();
        },
        [this](const DamagedPiece& damage) {
            return AskRetryDamagedPiece(damage) && AskForDisk(damage.disk) && WaitForDisk(damage.disk);
        },
    };
    if (AssembleKit(kit, SelectedComponents(), InstallSettings.Pieces, *assembly_, hooks)) return true;
    SetModalResult(mrCancel);
    return false;
}

bool TCopy::WaitForDisk(std::uint32_t disk) { return WaitForDiskMarker(InstallSettings.SourceDir, disk); }

TCompSet TCopy::SelectedComponents() const { return componentSets_[InstallSettings.InstallType]; }

bool TCopy::ExtractArchives() {
    extraction_ = std::make_unique<ExtractionRecord>(KeepRoot());
    ExtractionRecord& record = *extraction_;
    // A file that could not be kept was left as it was; the copy stops
    // before the next archive, before anything else changes.
    const auto stopWhenNotKept = [&record] {
        if (record.NotKept()) {
            throw CopyFailure("Nu pot pastra o copie a fisierului\r" + *record.NotKept() +
                              "\rinainte de a-l inlocui. Fisierul a ramas neschimbat.");
        }
    };
    const TCompRecord* extracting = nullptr;
    std::string engineFolder;
    const bool whole = ExtractSelected(
        [&record, &stopWhenNotKept, &extracting, &engineFolder](
            const TCompRecord& component, const std::string& archive) -> std::optional<std::string> {
            stopWhenNotKept();
            extracting = &component;
            if (!FileExists(archive) && IsOptionalModule(UpperAscii(FileNameOf(archive)))) return std::nullopt;
            switch (component.CompTarget) {
            case ctProgram: return InstallSettings.ProgramDir;
            case ctData:
            case ctNewData: return InstallSettings.DataDir;
            case ctEngine: {
                std::optional<std::string> engine = EngineFolder(
                    InstallSettings, [&record](const std::string& folder) { record.Creating(folder + "\\"); });
                if (engine) engineFolder = *engine;
                return engine;
            }
            }
            return std::nullopt;
        },
        [&record, &extracting](const korven::unzip::ReportRecord& member) {
            // A database file already in the data folder is the customer's
            // (an earlier installation's, kept when it was removed): only
            // the missing ones come from the kit.
            if (extracting != nullptr && extracting->CompTarget == ctData) {
                DebugNote(std::string("Fisierul clientului ramane neschimbat: ") + member.name);
                return false;
            }
            return record.KeepBeforeOverwrite(member.name);
        });
    stopWhenNotKept();
    // A program that is quitting left the rest of the archives unextracted.
    if (!whole || Application().Terminated()) return false;
    NoteInstallation(Written(), record.Folders(), engineFolder);
    return true;
}

bool TCopy::ExtractSelected(const TargetFolderRule& targetFolder, const korven::unzip::QuestionFunc& question,
                            const SpaceNeeds& alsoNeeded, const std::function<void()>& beforeFirstFile) {
    const std::string programFolder = WithoutFinalBackslash(InstallSettings.DefaultProgramDir);
    if (!SetCurrentDirectoryA(programFolder.c_str())) {
        throw CopyFailure("Nu pot intra in directorul " + programFolder + ".");
    }
    // Room for every file before the first is written.
    SpaceNeeds needs = UnpackedNeeds(programFolder, SelectedComponents());
    for (const auto& [root, bytes] : alsoNeeded) needs[root] += bytes;
    EnsureSpace(needs);
    if (beforeFirstFile) beforeFirstFile();
    written_ = std::make_unique<WrittenFiles>();
    const ExtractionHooks hooks{
        [this](const TCompRecord& component) { ShowStatus(component.CompDescription); },
        // A program that is quitting (a message ended the installation)
        // extracts nothing more.
        [this, &targetFolder](const TCompRecord& component, const std::string& archive) -> std::optional<std::string> {
            if (Application().Terminated()) return std::nullopt;
            std::optional<std::string> folder = targetFolder(component, archive);
            if (Application().Terminated()) return std::nullopt;
            if (folder) written_->ArchiveStarting(component, archive, *folder);
            return folder;
        },
        [](const TCompRecord& component, const std::string& archive, const std::string& shortfall) {
            return AskGoOnAfterDamage(component.CompDescription, FileNameOf(archive), shortfall);
        },
        [this](std::int32_t value, const korven::unzip::ReportRecord& record) {
            if (extraction_ && value == korven::unzip::kReportMemberStart) extraction_->Creating(record.name);
            written_->Report(value, record);
            UnzipProgressReport(value, record);
        },
        question,
    };
    return ExtractComponents(programFolder, SelectedComponents(), hooks, unzipped_);
}

void TCopy::UnzipProgressReport(std::int32_t value, const korven::unzip::ReportRecord& record) {
    unzipped_.Report(value, record);
    // Reports come every few kilobytes; a gauge painted for each would cost
    // more than the extraction. It is painted when its percentage moves.
    const int percent = unzipped_.Percent();
    if (percent == UnzipProgress->Progress()) return;
    UnzipProgress->SetProgress(percent);
    UnzipProgress->Repaint();
}

bool TCopy::IsOptionalModule(const std::string& archiveName) {
    const std::string zip = ".ZIP";
    return archiveName.ends_with(zip) && IsOptionalComponent(archiveName.substr(0, archiveName.size() - zip.size()));
}

void TCopy::RemoveAssembledArchives() {
    if (!assembly_) return;
    for (const std::string& path : assembly_->RemoveArchives()) ReportUndeletable(path);
    assembly_.reset();
}

void TCopy::TakeBackExtraction() {
    if (!extraction_) return;
    const ExtractionRecord::Leftovers left = extraction_->TakeBack();
    for (const std::string& path : left.notRemoved) ReportUndeletable(path);
    for (const ExtractionRecord::Leftovers::Kept& kept : left.notRestored) ReportNotRestored(kept.original, kept.copy);
}

void TCopy::AnswerUnattended() { Press(BNext); }
