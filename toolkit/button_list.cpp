#include "toolkit/button_list.h"

#include <algorithm>

void TButtonList::Add(TComponent* button, bool enabled) {
    if (Count() > kMaxIndex) return;
    if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.capacity() + kGrowth);
    entries_.push_back({button, enabled});
}

TComponent* TButtonList::Button(int i) const { return Valid(i) ? entries_[i].button : nullptr; }

bool TButtonList::WasEnabled(int i) const { return Valid(i) && entries_[i].wasEnabled; }

void TButtonList::SetWasEnabled(int i, bool value) {
    if (Valid(i)) entries_[i].wasEnabled = value;
}

void TButtonList::Remove(TComponent* button) {
    entries_.erase(
        std::remove_if(entries_.begin(), entries_.end(), [button](const Entry& e) { return e.button == button; }),
        entries_.end());
}
