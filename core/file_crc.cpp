#include "core/file_crc.h"

#include <windows.h>

#include <array>
#include <vector>

#include "core/unique_handle.h"

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> Table = MakeTable();

}  // namespace

std::optional<FileFingerprint> FingerprintOf(const std::string& path) {
    const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return std::nullopt;
    std::vector<unsigned char> block(64 * 1024);
    FileFingerprint print;
    std::uint32_t crc = 0xFFFFFFFFu;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        print.size += got;
        for (DWORD i = 0; i < got; ++i) crc = Table[(crc ^ block[i]) & 0xFFu] ^ (crc >> 8);
    }
    print.crc = ~crc;
    return print;
}

std::optional<std::uint32_t> FileCrc32(const std::string& path) {
    const std::optional<FileFingerprint> print = FingerprintOf(path);
    if (!print) return std::nullopt;
    return print->crc;
}
