// TCopy: the copy page of a new installation. One press of Next does the
// whole copy: the archives are assembled from the pieces on the kit's disks
// into the program folder, each selected component's archive is extracted
// into its folder (program, data, or the database engine's), and the
// assembled archives are removed. The page closes with Next when the files
// are in place, with Cancel when the user declined a disk, abandoned after
// a damaged archive, or the copy failed (the failure told in Romanian).
//
// The upgrade's copy page (TUpgCopy) is this page with its own components,
// folders and overwrite question, reading this page's description.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/unattended_page.h"
#include "toolkit/title_form.h"
#include "unzip/zip_types.h"

#include "copy/disk_space.h"
#include "copy/extraction_gauge.h"
#include "copy/piece_assembly.h"
#include "core/settings.h"

class ExtractionRecord;
class WrittenFiles;
class TActiveLabel;
class TBevel;
class TGauge;
class TLabel;
class TMButton;
class TNiceButton;

class TCopy : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    explicit TCopy(TComponent* owner);
    ~TCopy() override;

    // Components of the form, not owned.
    TActiveLabel* LGroupName = nullptr;
    TMButton* BNext = nullptr;
    TMButton* BBack = nullptr;
    TNiceButton* BCancel = nullptr;
    TBevel* Bevel1 = nullptr;
    TLabel* LCopyProgress = nullptr;
    TGauge* CopyProgress = nullptr;
    TLabel* LUnzipProgress = nullptr;
    TGauge* UnzipProgress = nullptr;

    void FormCreate(TObject* sender);
    void BNextClick(TObject* sender);
    // Goes on with Next.
    void AnswerUnattended() override;

    // False when the user declined a disk (the page result is then Cancel).
    // A piece that cannot be joined throws CopyFailure.
    bool AssembleArchives();
    // Asks for disk n until its marker is found; false on Cancel.
    bool WaitForDisk(std::uint32_t disk);
    // False when the user abandoned after a damaged archive, or the program
    // is quitting. Everything it extracted is noted, to be taken back when
    // the copy does not end in success.
    virtual bool ExtractArchives();
    // The unzip component's reports: drives UnzipProgress.
    void UnzipProgressReport(std::int32_t value, const korven::unzip::ReportRecord& record);
    // The modules a kit may leave out: "OUTPOST.ZIP", "PAYROLL.ZIP".
    static bool IsOptionalModule(const std::string& archiveName);

protected:
    // The upgrade's copy page is this form with other components and other
    // folder rules: it gives the component sets it copies from, by
    // installation type.
    TCopy(TComponent* owner, const std::array<TCompSet, 4>& componentSets);

    // The components this page copies, for the chosen installation type.
    TCompSet SelectedComponents() const;
    // The folder for a component's archive; nothing passes the row over.
    using TargetFolderRule =
        std::function<std::optional<std::string>(const TCompRecord& component, const std::string& archive)>;
    // Extracts the selected components' archives from the program folder,
    // each into the folder the rule gives, asking `question` before an
    // existing file is overwritten (none: overwritten unasked). Room is
    // checked for the files and `alsoNeeded`; `beforeFirstFile` runs once
    // it is there. False when the user abandoned after a damaged archive.
    bool ExtractSelected(const TargetFolderRule& targetFolder, const korven::unzip::QuestionFunc& question,
                         const SpaceNeeds& alsoNeeded = {}, const std::function<void()>& beforeFirstFile = {});
    // What the last ExtractSelected wrote, for the installation record.
    const WrittenFiles& Written() const { return *written_; }

private:
    void ShowStatus(const std::string& text);
    // Removes the archives this page assembled, telling each that stays.
    void RemoveAssembledArchives();
    // Removes what the extraction created and puts back what it overwrote,
    // telling each file that stays.
    void TakeBackExtraction();

    const std::array<TCompSet, 4>& componentSets_;
    std::unique_ptr<PieceAssembly> assembly_;       // owned; for one press of Next
    std::unique_ptr<ExtractionRecord> extraction_;  // the new installation's; for one press of Next
    std::unique_ptr<WrittenFiles> written_;         // of the last ExtractSelected
    ExtractionProgress unzipped_;
};
