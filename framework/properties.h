// The property registry: what each class publishes by name (properties with
// their setters and getters, enumeration and set identifiers, events bound to
// published methods), the table of classes that descriptions may name, and
// ClassBuilder, with which a class writes its ClassInfo. Portable.
#pragma once

#include "framework/component.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// What a description may write into a property.
struct PropValue {
    enum class Kind { Integer, String, Identifier, Set, List, Binary };
    Kind kind = Kind::Integer;
    int line = 0;
    std::int64_t integer = 0;
    std::string text;                 // String and Identifier
    std::vector<std::string> names;   // Set
    std::vector<PropValue> items;     // List
    std::vector<std::uint8_t> bytes;  // Binary

    std::string Describe() const;  // for error messages
};

enum class PropKind { Integer, Boolean, String, Color, Enumeration, Set, Strings, Object, Reference, Event, Custom };

// One published property: how to read and write it. Ordinal kinds (integer,
// Boolean, colour, enumeration, set) go through setOrdinal/getOrdinal.
struct PropertyInfo {
    std::string name;
    PropKind kind = PropKind::Integer;
    const std::vector<std::string>* names = nullptr;  // enumeration, set or integer identifiers, by value
    std::function<void(TPersistent&, std::int64_t)> setOrdinal;
    std::function<std::int64_t(const TPersistent&)> getOrdinal;
    std::function<void(TPersistent&, const std::string&)> setString;
    std::function<std::string(const TPersistent&)> getString;
    std::function<TPersistent*(TPersistent&)> object;             // Object and Strings: the sub-object
    std::function<bool(TPersistent&, TComponent*)> setReference;  // false: wrong class
    std::function<void(TPersistent&, const TComponent& root, const std::string& method)> bindEvent;
    std::function<void(TPersistent&, const PropValue&)> custom;  // Custom: converts itself
};

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

class ClassInfo {
public:
    ClassInfo(std::string name, const ClassInfo* parent, TComponentFactory factory);
    const std::string& Name() const { return name_; }
    const ClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const ClassInfo& base) const;
    const PropertyInfo* FindProperty(std::string_view name) const;  // own or inherited
    TComponent* Create(TComponent* owner) const;                    // nullptr for abstract classes
    void AddProperty(PropertyInfo property);

private:
    std::string name_;
    const ClassInfo* parent_;
    TComponentFactory factory_;
    std::map<std::string, PropertyInfo, NameLess> properties_;
};

// Classes that descriptions may name. Registering the same class twice is harmless.
void RegisterComponentClass(const ClassInfo& info);
const ClassInfo* FindClass(std::string_view name);

// Convenience for published ordinal properties looked up by name at run time.
bool HasOrdinalProperty(const TPersistent& object, std::string_view name);
std::int64_t GetOrdinalProperty(const TPersistent& object, std::string_view name);
void SetOrdinalProperty(TPersistent& object, std::string_view name, std::int64_t value);

// Identifiers of a set or enumeration, listed by value (a set's bit i is names[i]).
using NameList = std::vector<std::string>;

// Builds the ClassInfo of C: one call per published property, with the
// setter and getter of C or of a base of C (a class publishes an inherited
// property that the base keeps unpublished). Descriptions then set them by name.
template <class C>
class ClassBuilder {
public:
    ClassBuilder(std::string name, const ClassInfo* parent) : info_(std::move(name), parent, Factory()) {}

    // `names`, when given, lets a description write some values by name
    // (ModalResult = mrOk) as well as by number.
    template <class B, class V>
    ClassBuilder& Integer(const std::string& name, void (B::*set)(V), V (B::*get)() const,
                          const NameList* names = nullptr) {
        return Ordinal(name, PropKind::Integer, names, set, get);
    }
    template <class B>
    ClassBuilder& Boolean(const std::string& name, void (B::*set)(bool), bool (B::*get)() const) {
        return Ordinal(name, PropKind::Boolean, nullptr, set, get);
    }
    template <class B, class V>
    ClassBuilder& Color(const std::string& name, void (B::*set)(V), V (B::*get)() const) {
        return Ordinal(name, PropKind::Color, nullptr, set, get);
    }
    template <class B, class E>
    ClassBuilder& Enumeration(const std::string& name, const NameList& names, void (B::*set)(E), E (B::*get)() const) {
        return Ordinal(name, PropKind::Enumeration, &names, set, get);
    }
    template <class B, class S>
    ClassBuilder& Set(const std::string& name, const NameList& names, void (B::*set)(S), S (B::*get)() const) {
        return Ordinal(name, PropKind::Set, &names, set, get);
    }
    template <class B>
    ClassBuilder& String(const std::string& name, void (B::*set)(const std::string&), std::string (B::*get)() const) {
        static_assert(std::is_base_of_v<B, C>);
        PropertyInfo p = Make(name, PropKind::String);
        p.setString = [set](TPersistent& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
        p.getString = [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class B, class T>
    ClassBuilder& Strings(const std::string& name, T& (B::*access)()) {
        static_assert(std::is_base_of_v<B, C>);
        PropertyInfo p = Make(name, PropKind::Strings);
        p.object = [access](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*access)(); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class B, class T>
    ClassBuilder& Object(const std::string& name, T& (B::*access)()) {
        static_assert(std::is_base_of_v<B, C>);
        PropertyInfo p = Make(name, PropKind::Object);
        p.object = [access](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*access)(); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class B, class T>
    ClassBuilder& Reference(const std::string& name, void (B::*set)(T*)) {
        static_assert(std::is_base_of_v<B, C>);
        PropertyInfo p = Make(name, PropKind::Reference);
        p.setReference = [set](TPersistent& o, TComponent* target) {
            T* typed = dynamic_cast<T*>(target);
            if (target && !typed) return false;
            (static_cast<C&>(o).*set)(typed);
            return true;
        };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class B, class... A>
    ClassBuilder& Event(const std::string& name, std::function<void(A...)> B::*member) {
        static_assert(std::is_base_of_v<B, C>);
        PropertyInfo p = Make(name, PropKind::Event);
        p.bindEvent = [member](TPersistent& o, const TComponent& root, const std::string& method) {
            static_cast<C&>(o).*member = root.FindMethod<A...>(method);
        };
        info_.AddProperty(std::move(p));
        return *this;
    }
    ClassBuilder& Custom(const std::string& name, std::function<void(C&, const PropValue&)> write) {
        PropertyInfo p = Make(name, PropKind::Custom);
        p.custom = [write](TPersistent& o, const PropValue& v) { write(static_cast<C&>(o), v); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    ClassInfo Build() { return std::move(info_); }

private:
    static PropertyInfo Make(const std::string& name, PropKind kind, const NameList* names = nullptr) {
        PropertyInfo p;
        p.name = name;
        p.kind = kind;
        p.names = names;
        return p;
    }
    static TComponentFactory Factory() {
        if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
            return [](TComponent* owner) -> TComponent* { return new C(owner); };
        else
            return nullptr;
    }
    template <class B, class V>
    ClassBuilder& Ordinal(const std::string& name, PropKind kind, const NameList* names, void (B::*set)(V),
                          V (B::*get)() const) {
        static_assert(std::is_base_of_v<B, C>);
        PropertyInfo p = Make(name, kind, names);
        p.setOrdinal = [set](TPersistent& o, std::int64_t v) { (static_cast<C&>(o).*set)(static_cast<V>(v)); };
        p.getOrdinal = [get](const TPersistent& o) {
            return static_cast<std::int64_t>((static_cast<const C&>(o).*get)());
        };
        info_.AddProperty(std::move(p));
        return *this;
    }

    ClassInfo info_;
};
