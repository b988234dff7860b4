// Binding a loaded library's entry points by their plain names, the way the
// installer reaches every outside library: each entry lands in a pointer of
// its own type, and a missing one is named in the diagnostic log, so that a
// caller can bind them all and then refuse a library that lacks any.
#pragma once
#include <windows.h>

#include <string>

#include "core/debug_log.h"

class EntryPoints {
public:
    // `library` is not owned; `libraryName` is the name the log gives it.
    EntryPoints(HMODULE library, std::string libraryName) : library_(library), libraryName_(std::move(libraryName)) {}

    // Looks up `name` into `entry`; false, with a note in the log, when the
    // library does not export it.
    template <class Proc>
    bool Bind(const char* name, Proc& entry) const {
        // GetProcAddress answers one generic pointer type for every export.
        entry = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        if (!entry) DebugNote(libraryName_ + " nu are functia " + name);
        return entry != nullptr;
    }

private:
    HMODULE library_;
    std::string libraryName_;
};
