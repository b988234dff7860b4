#include "kit/zip_writer.h"

#include <zlib.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <iterator>
#include <limits>

#include "kit/kit_error.h"

namespace korven::kit {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndRecordSignature = 0x06054B50;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
// Version 2.0 is the first that knows deflate; stored members need 1.0.
constexpr uint16_t kVersionDeflate = 20;
constexpr uint16_t kVersionStored = 10;
// Made by MS-DOS (host 0) so that readers take the DOS attribute byte.
constexpr uint16_t kVersionMadeBy = 20;
constexpr uint32_t kArchiveAttribute = 0x20;
// The installer's engine keeps sizes and offsets in signed 32-bit fields.
constexpr uint64_t kLargestSize = std::numeric_limits<int32_t>::max();

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string ReadFile(const std::string& archiveName, const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) throw KitError(archiveName + ": fisierul " + file.string() + " nu poate fi deschis");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw KitError(archiveName + ": fisierul " + file.string() + " nu poate fi citit");
    return bytes;
}

// Raw deflate (no zlib wrapper), strongest level: what method 8 stores.
// Empty when the result would not be smaller than the input.
std::string Deflate(const std::string& archiveName, const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw KitError(archiveName + ": compresia nu poate incepe (zlib)");
    }
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw KitError(archiveName + ": compresia a esuat (zlib " + std::to_string(result) + ")");
    if (out.size() >= data.size()) return {};
    return out;
}

struct CentralEntry {
    std::string name;
    uint16_t method;
    uint32_t dateTime;
    uint32_t crc;
    uint32_t compressedSize;
    uint32_t size;
    uint32_t offset;
};

void PutCommonFields(std::string& out, const CentralEntry& entry) {
    Put16(out, entry.method == kMethodDeflated ? kVersionDeflate : kVersionStored);
    Put16(out, 0);  // flags: no descriptor, no encryption
    Put16(out, entry.method);
    Put32(out, entry.dateTime);
    Put32(out, entry.crc);
    Put32(out, entry.compressedSize);
    Put32(out, entry.size);
    Put16(out, static_cast<uint32_t>(entry.name.size()));
    Put16(out, 0);  // no extra field
}

void CheckSize(const std::string& archiveName, uint64_t size, const std::string& what) {
    if (size > kLargestSize) throw KitError(archiveName + ": " + what + " depaseste 2 GB");
}

}  // namespace

uint32_t DosDateTime(fs::file_time_type time) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(fs::file_time_type::clock::to_sys(time)));
    const std::tm* local = std::localtime(&seconds);
    if (local == nullptr || local->tm_year < 80) return (1u << 5 | 1u) << 16;
    if (local->tm_year > 207) return ((127u << 9) | (12u << 5) | 31u) << 16 | (23u << 11) | (59u << 5) | 29u;
    uint32_t date = static_cast<uint32_t>((local->tm_year - 80) << 9 | (local->tm_mon + 1) << 5 | local->tm_mday);
    uint32_t clock = static_cast<uint32_t>(local->tm_hour << 11 | local->tm_min << 5 | local->tm_sec / 2);
    return date << 16 | clock;
}

std::string MakeZipArchive(const std::string& archiveName, const std::vector<ArchiveSource>& members) {
    if (members.size() > 0xFFFF) throw KitError(archiveName + ": mai mult de 65535 de fisiere");
    std::string archive;
    std::vector<CentralEntry> entries;
    for (const ArchiveSource& member : members) {
        std::string data = ReadFile(archiveName, member.file);
        CheckSize(archiveName, data.size(), member.memberName);
        std::error_code error;
        auto modified = fs::last_write_time(member.file, error);
        if (error) throw KitError(archiveName + ": data fisierului " + member.file.string() + " nu poate fi citita");

        std::string deflated = Deflate(archiveName, data);
        const std::string& stored = deflated.empty() ? data : deflated;
        CentralEntry entry{member.memberName,
                           deflated.empty() ? kMethodStored : kMethodDeflated,
                           DosDateTime(modified),
                           static_cast<uint32_t>(
                               crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()))),
                           static_cast<uint32_t>(stored.size()),
                           static_cast<uint32_t>(data.size()),
                           static_cast<uint32_t>(archive.size())};
        Put32(archive, kLocalHeaderSignature);
        PutCommonFields(archive, entry);
        archive += entry.name;
        archive += stored;
        CheckSize(archiveName, archive.size(), "arhiva");
        entries.push_back(std::move(entry));
    }

    uint32_t directoryOffset = static_cast<uint32_t>(archive.size());
    for (const CentralEntry& entry : entries) {
        Put32(archive, kCentralHeaderSignature);
        Put16(archive, kVersionMadeBy);
        PutCommonFields(archive, entry);
        Put16(archive, 0);  // comment length
        Put16(archive, 0);  // disk number start
        Put16(archive, 0);  // internal attributes
        Put32(archive, kArchiveAttribute);
        Put32(archive, entry.offset);
        archive += entry.name;
    }
    uint32_t directorySize = static_cast<uint32_t>(archive.size()) - directoryOffset;
    Put32(archive, kEndRecordSignature);
    Put16(archive, 0);  // this disk
    Put16(archive, 0);  // disk of the directory
    Put16(archive, static_cast<uint32_t>(entries.size()));
    Put16(archive, static_cast<uint32_t>(entries.size()));
    Put32(archive, directorySize);
    Put32(archive, directoryOffset);
    Put16(archive, 0);  // comment length
    CheckSize(archiveName, archive.size(), "arhiva");
    return archive;
}

}  // namespace korven::kit
