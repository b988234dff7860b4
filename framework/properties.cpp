#include "framework/properties.h"

#include <map>

namespace {

std::map<std::string, const ClassInfo*, NameLess>& ClassTable() {
    static std::map<std::string, const ClassInfo*, NameLess> table;
    return table;
}

const PropertyInfo& OrdinalProperty(const TPersistent& object, std::string_view name) {
    const PropertyInfo* p = object.ClassType().FindProperty(name);
    if (!p || !p->getOrdinal)
        throw EComponentError(object.ClassName() + " nu are proprietatea \"" + std::string(name) + "\"");
    return *p;
}

}  // namespace

std::string PropValue::Describe() const {
    switch (kind) {
    case Kind::Integer: return std::to_string(integer);
    case Kind::String: return "'" + text + "'";
    case Kind::Identifier: return text;
    case Kind::Set: return "[...]";
    case Kind::List: return "(...)";
    case Kind::Binary: return "{...}";
    }
    return "?";
}

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent, TComponentFactory factory)
    : name_(std::move(name)), parent_(parent), factory_(std::move(factory)) {}

bool ClassInfo::InheritsFrom(const ClassInfo& base) const {
    for (const ClassInfo* c = this; c; c = c->parent_)
        if (c == &base) return true;
    return false;
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view name) const {
    for (const ClassInfo* c = this; c; c = c->parent_) {
        auto it = c->properties_.find(name);
        if (it != c->properties_.end()) return &it->second;
    }
    return nullptr;
}

TComponent* ClassInfo::Create(TComponent* owner) const { return factory_ ? factory_(owner) : nullptr; }

void ClassInfo::AddProperty(PropertyInfo property) {
    std::string key = property.name;
    properties_[key] = std::move(property);
}

void RegisterComponentClass(const ClassInfo& info) { ClassTable()[info.Name()] = &info; }

const ClassInfo* FindClass(std::string_view name) {
    auto it = ClassTable().find(name);
    return it == ClassTable().end() ? nullptr : it->second;
}

bool HasOrdinalProperty(const TPersistent& object, std::string_view name) {
    const PropertyInfo* p = object.ClassType().FindProperty(name);
    return p && p->getOrdinal && p->setOrdinal;
}

std::int64_t GetOrdinalProperty(const TPersistent& object, std::string_view name) {
    return OrdinalProperty(object, name).getOrdinal(object);
}

void SetOrdinalProperty(TPersistent& object, std::string_view name, std::int64_t value) {
    OrdinalProperty(object, name).setOrdinal(object, value);
}
