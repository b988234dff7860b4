#include "copy_test_support.h"

#include <stdexcept>

#include "core/registry_key.h"
#include "tests/support/files.h"

std::string KitArchive(const std::string& component) {
    return std::string(COPY_KIT_ARCHIVES) + "\\" + component + ".ZIP";
}

std::string KitSourceFile(const std::string& component, const std::string& relative) {
    return std::string(COPY_KIT_ARCHIVES) + "\\src\\" + component + "\\" + relative;
}

std::string UpgradeKitArchive(const std::string& component) {
    return std::string(COPY_KIT_ARCHIVES) + "\\upgrade\\" + component + ".ZIP";
}

std::string UpgradeKitSourceFile(const std::string& component, const std::string& relative) {
    return std::string(COPY_KIT_ARCHIVES) + "\\upgrade\\src\\" + component + "\\" + relative;
}

std::string HostileArchive(const std::string& name) { return std::string(COPY_HOSTILE_ARCHIVES) + "\\" + name; }

std::vector<std::string> CutIntoPieces(const std::string& file, const std::string& folder, const std::string& name,
                                       size_t pieceSize) {
    const std::string content = ReadBytes(file);
    std::vector<std::string> pieces;
    for (size_t at = 0; at == 0 || at < content.size(); at += pieceSize) {
        const std::string piece = name + "." + std::to_string(pieces.size() + 1);
        WriteBytes(folder + "\\" + piece, content.substr(at, pieceSize));
        pieces.push_back(piece);
    }
    return pieces;
}

bool MachineKeyExists(const std::string& key) { return RegistryKey::Open(HKEY_LOCAL_MACHINE, key).has_value(); }

ScopedMachineValue::ScopedMachineValue(const std::string& key, const std::string& name,
                                       const std::optional<std::string>& value)
    : key_(key), name_(name) {
    for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
        const std::string level = key.substr(0, end);
        if (!MachineKeyExists(level)) madeKeys_.push_back(level);
        if (end == std::string::npos) break;
    }
    std::optional<RegistryKey> opened = RegistryKey::Create(HKEY_LOCAL_MACHINE, key);
    if (!opened) throw std::runtime_error("cannot make HKLM\\" + key);
    earlier_ = opened->ReadString(name);
    if (value) {
        opened->WriteString(name, *value);
    } else {
        opened->DeleteValue(name);
    }
}

ScopedMachineValue::~ScopedMachineValue() {
    if (std::optional<RegistryKey> opened = RegistryKey::Open(HKEY_LOCAL_MACHINE, key_, KEY_READ | KEY_WRITE)) {
        if (earlier_) {
            opened->WriteString(name_, *earlier_);
        } else {
            opened->DeleteValue(name_);
        }
    }
    for (auto made = madeKeys_.rbegin(); made != madeKeys_.rend(); ++made)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, made->c_str());
}
