// Shared helpers of the unzip tests: the corpus and its manifest, scratch
// folders, files as strings, and a host that stands in for the desktop.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "unzip/platform.h"

namespace korven::unzip::test {

// Path of a file of the test corpus.
std::string CorpusPath(const std::string& fileName);

struct ManifestRow {
    std::string archive;
    std::string member;  // as stored, with "/"
    int method = 0;
    uint32_t flags = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t crc32 = 0;
    std::string sha256;
    std::string notes;
};
std::vector<ManifestRow> ReadManifest();

// A fresh, empty folder removed again at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // The folder, or a path inside it, in the engine's own form.
    std::string Path(const std::string& relative = "") const;
    const std::filesystem::path& Native() const { return root_; }

private:
    std::filesystem::path root_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// The file's modification time as a local DOS date-time (time low, date
// high), for comparing with the member's; 0 when it cannot be read.
uint32_t FileDosDateTime(const std::string& path);
// Deterministic bytes that compress somewhat, like program code.
std::string PseudoRandomBytes(size_t count, uint32_t seed);

// Makes `link` a link to the folder `target`, both given in the engine's
// form: a symbolic link on POSIX; on Windows a junction, or under Wine,
// which makes neither, a symbolic link of the host (Wine shows it as a
// reparse point). False when the platform cannot make one.
bool MakeFolderLink(const std::string& link, const std::string& target);

// A desktop stand-in: a clock the test sets, keys it holds down, a pump
// hook and a notify window whose reply it chooses.
class FakeHost : public EngineHost {
public:
    FakeHost();
    ~FakeHost() override;
    void PumpMessages(NotifyWindow) override {
        if (onPump) onPump();
    }
    bool IsKeyDown(uint32_t key) override { return heldKey != 0 && key == heldKey; }
    uint32_t TickCount() override { return tick; }
    void NotifyProgress(NotifyWindow, uint32_t command, uint16_t* cell) override {
        notifiedPercents.push_back(*cell);
        lastCommand = command;
        if (notifyReply) *cell = notifyReply(*cell);
    }

    uint32_t tick = 1000;
    uint32_t heldKey = 0;
    std::function<void()> onPump;
    std::function<uint16_t(uint16_t)> notifyReply;
    std::vector<uint16_t> notifiedPercents;
    uint32_t lastCommand = 0;
};

}  // namespace korven::unzip::test
