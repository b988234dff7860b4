// A client conversation through the Windows DDE management library: one
// library instance for this client, at most one conversation at a time, and
// execute requests that wait a bounded time for the server's answer.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <string>

class DdeClient {
public:
    DdeClient();
    ~DdeClient();
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;

    // Opens a conversation with `service` on `topic` (empty: whatever topic
    // the server offers), closing the one before. False when nobody answers.
    bool Connect(const std::string& service, const std::string& topic);
    // Sends `command` as one execute request in the plain-text format and
    // waits up to `timeoutMs` for the acknowledgement. Answers 0 when the
    // server took it, otherwise the library's error code (DMLERR_NOTPROCESSED
    // when it refused, DMLERR_EXECACKTIMEOUT when it did not answer in time).
    UINT Execute(const std::string& command, DWORD timeoutMs);
    void Disconnect();

private:
    DWORD instance_ = 0;       // owned: 0 when the library refused us
    HCONV conversation_ = {};  // owned
};
