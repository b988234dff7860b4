#include "framework/component.h"

#include "framework/properties.h"

#include <algorithm>
#include <cctype>

namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

bool NameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Fold(x) == Fold(y); });
}

// ---------------------------------------------------------------------------

const ClassInfo& TPersistent::StaticClass() {
    static const ClassInfo info("TPersistent", nullptr, nullptr);
    return info;
}

std::string TPersistent::ClassName() const { return ClassType().Name(); }

bool TPersistent::InheritsFrom(const ClassInfo& base) const { return ClassType().InheritsFrom(base); }

// ---------------------------------------------------------------------------

const ClassInfo& TStrings::StaticClass() {
    static const ClassInfo info = ClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass()).Build();
    return info;
}

const std::string& TStrings::operator[](int index) const { return items_.at(index); }

void TStrings::Put(int index, const std::string& text) {
    items_.at(index) = text;
    Changed();
}

void TStrings::Add(const std::string& text) {
    items_.push_back(text);
    Changed();
}

void TStrings::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count()) throw std::out_of_range("TStrings::Insert");
    items_.insert(items_.begin() + index, text);
    Changed();
}

void TStrings::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("TStrings::Delete");
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TStrings::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameName(items_[i], text)) return i;
    return -1;
}

void TStrings::Assign(const std::vector<std::string>& lines) {
    items_ = lines;
    Changed();
}

std::string TStrings::Text() const {
    std::string text;
    for (const auto& line : items_) text += line + "\r\n";
    return text;
}

void TStrings::SetText(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        text.remove_prefix(next);
    }
    Assign(lines);
}

void TStrings::Changed() {
    if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------

const ClassInfo& TComponent::StaticClass() {
    static const ClassInfo info = ClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                      .String("Name", &TComponent::SetName, &TComponent::NameCopy)
                                      .Integer("Tag", &TComponent::SetTag, &TComponent::Tag)
                                      .Build();
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Owned components go first, newest first, so that each can still reach
    // the ones created before it while it is being freed.
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->RemoveComponent(this);
}

std::string TComponent::NameCopy() const { return name_; }

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this) throw EComponentError("exista deja o componenta numita \"" + name + "\"");
    }
    name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameName(c->name_, name)) return c;
    return nullptr;
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading); }

void TComponent::SetParentComponent(TComponent*) {}

bool TComponent::CanHoldChild(const TComponent&) const { return false; }

void TComponent::BindPublishedFields() {
    for (const auto& field : fields_) {
        TComponent* found = FindComponent(field.name);
        if (!found) throw EComponentError("lipseste componenta \"" + field.name + "\"");
        if (!field.bind(found))
            throw EComponentError("componenta \"" + field.name + "\" este " + found->ClassName() +
                                  ", de alta clasa decat campul ei");
    }
}

void TComponent::Notification(TComponent*, bool) {}

void TComponent::InsertComponent(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
    NotifyAll(component);
}

void TComponent::NotifyAll(TComponent* component) {
    // Siblings may refer to each other (DirList, FocusControl); tell them all.
    Notification(component, true);
    for (TComponent* c : components_) c->Notification(component, true);
}
