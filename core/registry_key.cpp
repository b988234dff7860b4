#include "core/registry_key.h"

#include <vector>

namespace {

std::string WithoutLeadingBackslash(const std::string& path) {
    return !path.empty() && path.front() == '\\' ? path.substr(1) : path;
}

}  // namespace

std::optional<RegistryKey> RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, WithoutLeadingBackslash(path).c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegistryKey(key);
}

std::optional<RegistryKey> RegistryKey::Create(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, WithoutLeadingBackslash(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegistryKey(key);
}

std::optional<std::string> RegistryKey::ReadString(const std::string& name) const {
    // The value may grow between the size query and the read: ask again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        std::vector<char> data(size + 1, '\0');
        const LONG status =
            RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return std::nullopt;
        // Stored with or without its terminating zero: the text ends at the first.
        data[size] = '\0';
        return std::string(data.data());
    }
    return std::nullopt;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& value) {
    return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const std::string& name) { return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS; }

bool RegistryKey::WriteNumber(const std::string& name, DWORD value) {
    return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool RegistryKey::Delete(HKEY root, const std::string& path) {
    const LONG status = RegDeleteKeyA(root, WithoutLeadingBackslash(path).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
