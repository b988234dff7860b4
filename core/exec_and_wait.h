// Runs another program and waits for it to end.
#pragma once
#include <cstdint>
#include <string>

// Starts the command line in a new console with the given show-window value,
// waits without limit and answers the program's exit code; -1 when the
// program cannot be started. Command lines of any length Windows accepts.
// While it waits, the thread's messages are dispatched (the program may
// broadcast or talk DDE to us) and the thread's windows are disabled.
std::int32_t ExecAndWait(const std::string& commandLine, std::uint16_t showWindow);
