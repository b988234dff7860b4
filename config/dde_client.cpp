#include "config/dde_client.h"

#include <vector>

namespace {

// Text of the ANSI code page as the Unicode library wants it, with its end.
std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// A client that only asks gets no transactions worth answering.
HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// A string handle of the library, freed with its instance's consent.
class DdeString {
public:
    DdeString(DWORD instance, const std::string& text)
        : instance_(instance),
          handle_(text.empty() ? nullptr : DdeCreateStringHandleW(instance, Wide(text).c_str(), CP_WINUNICODE)) {}
    ~DdeString() {
        if (handle_) DdeFreeStringHandle(instance_, handle_);
    }
    DdeString(const DdeString&) = delete;
    DdeString& operator=(const DdeString&) = delete;
    operator HSZ() const { return handle_; }

private:
    DWORD instance_;
    HSZ handle_;
};

}  // namespace

DdeClient::DdeClient() {
    if (DdeInitializeW(&instance_, IgnoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) instance_ = 0;
}

DdeClient::~DdeClient() {
    Disconnect();
    if (instance_) DdeUninitialize(instance_);
}

bool DdeClient::Connect(const std::string& service, const std::string& topic) {
    Disconnect();
    if (!instance_) return false;
    const DdeString serviceName(instance_, service);
    const DdeString topicName(instance_, topic);
    conversation_ = DdeConnect(instance_, serviceName, topicName, nullptr);
    return conversation_ != nullptr;
}

UINT DdeClient::Execute(const std::string& command, DWORD timeoutMs) {
    if (!conversation_) return DMLERR_NO_CONV_ESTABLISHED;
    std::wstring text = Wide(command);
    DWORD status = 0;
    if (DdeClientTransaction(reinterpret_cast<BYTE*>(text.data()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), conversation_, nullptr, CF_TEXT,
                             XTYP_EXECUTE, timeoutMs, &status))
        return DMLERR_NO_ERROR;
    const UINT error = DdeGetLastError(instance_);
    return error != DMLERR_NO_ERROR ? error : DMLERR_NOTPROCESSED;
}

void DdeClient::Disconnect() {
    if (conversation_) DdeDisconnect(conversation_);
    conversation_ = nullptr;
}
