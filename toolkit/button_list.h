// The buttons of a toolkit form with the enabled state each had before the
// form was last disabled, so that enabling the form gives every button back
// its own state. Portable: it only holds references.
#pragma once

#include "framework/component.h"

#include <cstdint>
#include <vector>

class TButtonList {
public:
    // Entries beyond this index are refused: reads give none or false, writes
    // are ignored. A form never has anywhere near as many buttons.
    static constexpr int kMaxIndex = 8192;
    // Room is made this many entries at a time.
    static constexpr int kGrowth = 16;

    void Add(TComponent* button, bool enabled);
    TComponent* Button(int i) const;  // nullptr past the end
    bool WasEnabled(int i) const;     // false past the end
    void SetWasEnabled(int i, bool value);
    // A button that is freed leaves the list, so nothing refers to it.
    void Remove(TComponent* button);

    int Count() const { return static_cast<int>(entries_.size()); }
    int Capacity() const { return static_cast<int>(entries_.capacity()); }

private:
    struct Entry {
        TComponent* button;  // not owned: the form owns its buttons
        bool wasEnabled;
    };
    bool Valid(int i) const { return i >= 0 && i <= kMaxIndex && i < Count(); }

    std::vector<Entry> entries_;
};
