// What a new installation's extraction changes on the disk, noted as it
// goes, so that a copy that does not end in success can be taken back: the
// files it creates, the folders it makes, and a copy of every file that was
// there before and that a member is about to overwrite. Taking back removes
// only what the extraction created and gives overwritten files their bytes
// back; a file that was there before the copy began is never removed.
//
// The kept copies live in a folder of their own below the temporary folder
// and go when the record goes, unless one could not be put back.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

class ExtractionRecord {
public:
    // `keepRoot`: where the folder of the kept copies is made (the first time
    // a file needs keeping).
    explicit ExtractionRecord(std::string keepRoot);
    // Removes the kept copies that were not needed or were put back.
    ~ExtractionRecord();
    ExtractionRecord(const ExtractionRecord&) = delete;
    ExtractionRecord& operator=(const ExtractionRecord&) = delete;

    // Something is about to be written at `path` (a full path; a final "\"
    // names a folder): the folders on its way that do not exist yet, and
    // the path itself when nothing stands there, become the extraction's.
    void Creating(const std::string& path);

    // The file at `path`, which exists, is about to be overwritten: a copy
    // of it is kept first (not for a file the extraction created). False
    // when no copy could be kept; the file must then stay as it is.
    bool KeepBeforeOverwrite(const std::string& path);
    // The folders it made, outermost first.
    const std::vector<std::string>& Folders() const { return folders_; }
    // The first file of which no copy could be kept.
    const std::optional<std::string>& NotKept() const { return notKept_; }

    struct Leftovers {
        std::vector<std::string> notRemoved;  // created files still there
        struct Kept {
            std::string original;
            std::string copy;  // where its bytes stay
        };
        std::vector<Kept> notRestored;
    };
    // Removes the created files, puts the overwritten ones back, then removes
    // the created folders that are empty again, deepest first; each step is
    // noted in the diagnostic log. Answers what could not be done. Once only.
    Leftovers TakeBack();

private:
    struct KeptFile {
        std::string original;
        std::string copy;
    };

    bool MakeKeepFolder();

    std::string keepRoot_;
    std::string keepFolder_;  // empty until made
    std::vector<std::string> files_;
    std::vector<std::string> folders_;
    std::set<std::string> known_;  // upper-case paths of files_, folders_ and kept originals
    std::vector<KeptFile> kept_;
    std::optional<std::string> notKept_;
    bool takenBack_ = false;
};
