// Component model of the user-interface framework: objects that own one
// another, carry a name, and publish properties and methods by name so that a
// form description can build and wire them.
//
// This header is portable (no Win32): the property registry and the form
// reader that stands on it are tested natively as well.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

class ClassInfo;
class TComponent;

// Case-insensitive ordering: class, property, component and method names in
// descriptions are matched without regard to case, as users of the format expect.
struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
bool SameName(std::string_view a, std::string_view b);

// Raised for misuse of components (duplicate names, missing components, wrong
// method kinds); descriptions wrap it with their own position.
class EComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// Every class that publishes properties derives from TPersistent and answers
// its ClassInfo; DECLARE_CLASS_INFO writes the two declarations.
class TPersistent : public TObject {
public:
    static const ClassInfo& StaticClass();
    virtual const ClassInfo& ClassType() const { return StaticClass(); }
    std::string ClassName() const;
    bool InheritsFrom(const ClassInfo& base) const;
};

#define DECLARE_CLASS_INFO                        \
public:                                           \
    static const ClassInfo& StaticClass();        \
    const ClassInfo& ClassType() const override { return StaticClass(); }

// A list of strings with a change notification (Items, Lines).
class TStrings : public TPersistent {
    DECLARE_CLASS_INFO
public:
    std::function<void()> OnChange;  // fired after every change

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const;
    void Put(int index, const std::string& text);
    void Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    int IndexOf(std::string_view text) const;  // case-insensitive, -1 when absent
    void Assign(const std::vector<std::string>& lines);
    void Assign(const TStrings& other) { Assign(other.items_); }
    const std::vector<std::string>& Items() const { return items_; }
    std::string Text() const;  // lines joined with CR LF
    void SetText(std::string_view text);

    // Replaces the lines without notifying: a control copying back what the
    // user typed must not loop through its own change handler.
    void AssignQuietly(std::vector<std::string> lines) { items_ = std::move(lines); }

private:
    void Changed();
    std::vector<std::string> items_;
};

enum TComponentState : unsigned { csLoading = 1, csDestroying = 2 };

class TComponent : public TPersistent {
    DECLARE_CLASS_INFO
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    TComponent* FindComponent(std::string_view name) const;  // owned ones only
    template <class T> T* FindChild(std::string_view name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    void BeginLoading() { state_ |= csLoading; }

    // Called once on every component after a description has been read into
    // it; clears the loading flag. Overrides call the inherited one first.
    virtual void Loaded();

    // The reader places a nested object inside its enclosing one; a control
    // takes a windowed control as parent. The default refuses children.
    virtual void SetParentComponent(TComponent* parent);
    virtual bool CanHoldChild(const TComponent& child) const;

    // Published methods: a form registers the handlers that its description
    // names (OnClick = BNextClick) and the fields bound to its components.
    template <class C, class... A>
    void PublishMethod(const std::string& name, void (C::*method)(A...)) {
        C* self = static_cast<C*>(this);
        methods_[name] = std::function<void(A...)>(
            [self, method](A... args) { (self->*method)(args...); });
    }
    template <class T> void PublishField(const std::string& name, T*& field) {
        fields_.push_back({name, [&field](TComponent* found) {
                               field = dynamic_cast<T*>(found);
                               return field != nullptr;
                           }});
    }
    bool HasMethod(std::string_view name) const { return methods_.count(name) != 0; }
    // The handler registered under name, which must have the event's signature.
    template <class... A> std::function<void(A...)> FindMethod(std::string_view name) const {
        auto it = methods_.find(name);
        if (it == methods_.end()) throw EComponentError("metoda necunoscuta \"" + std::string(name) + "\"");
        auto* handler = std::any_cast<std::function<void(A...)>>(&it->second);
        if (!handler)
            throw EComponentError("metoda \"" + std::string(name) + "\" nu are forma ceruta de eveniment");
        return *handler;
    }
    // Points every published field at its component; throws naming the first
    // field whose component is missing or of another class.
    void BindPublishedFields();

protected:
    // Lets a component remove references to another that is being freed.
    virtual void Notification(TComponent* component, bool removing);

private:
    std::string NameCopy() const;  // the published getter returns by value
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void NotifyAll(TComponent* component);

    struct FieldBinding {
        std::string name;
        std::function<bool(TComponent*)> bind;
    };

    TComponent* owner_ = nullptr;  // not owned
    std::string name_;
    int tag_ = 0;
    unsigned state_ = 0;
    std::vector<TComponent*> components_;  // owned, in creation order
    std::map<std::string, std::any, NameLess> methods_;
    std::vector<FieldBinding> fields_;
};

// ---------------------------------------------------------------------------
// Property registry

// What a description may write into a property.
struct PropValue {
    enum class Kind { Integer, String, Identifier, Set, List, Binary };
    Kind kind = Kind::Integer;
    int line = 0;
    std::int64_t integer = 0;
    std::string text;                  // String and Identifier
    std::vector<std::string> names;    // Set
    std::vector<PropValue> items;      // List
    std::vector<std::uint8_t> bytes;   // Binary

    std::string Describe() const;  // for error messages
};

enum class PropKind { Integer, Boolean, String, Color, Enumeration, Set, Strings, Object, Reference, Event, Custom };

// One published property: how to read and write it. Ordinal kinds (integer,
// Boolean, colour, enumeration, set) go through setOrdinal/getOrdinal.
struct PropertyInfo {
    std::string name;
    PropKind kind = PropKind::Integer;
    const std::vector<std::string>* names = nullptr;  // enumeration or set identifiers, by value
    std::function<void(TPersistent&, std::int64_t)> setOrdinal;
    std::function<std::int64_t(const TPersistent&)> getOrdinal;
    std::function<void(TPersistent&, const std::string&)> setString;
    std::function<std::string(const TPersistent&)> getString;
    std::function<TPersistent*(TPersistent&)> object;  // Object and Strings: the sub-object
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
    TComponent* Create(TComponent* owner) const;  // nullptr for abstract classes
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

// Builds the ClassInfo of C: one call per published property, with C's setter
// and getter. Descriptions then set them by name.
template <class C> class ClassBuilder {
public:
    ClassBuilder(std::string name, const ClassInfo* parent) : info_(std::move(name), parent, Factory()) {}

    template <class V>
    ClassBuilder& Integer(const std::string& name, void (C::*set)(V), V (C::*get)() const) {
        return Ordinal(name, PropKind::Integer, nullptr, set, get);
    }
    ClassBuilder& Boolean(const std::string& name, void (C::*set)(bool), bool (C::*get)() const) {
        return Ordinal(name, PropKind::Boolean, nullptr, set, get);
    }
    template <class V>
    ClassBuilder& Color(const std::string& name, void (C::*set)(V), V (C::*get)() const) {
        return Ordinal(name, PropKind::Color, nullptr, set, get);
    }
    template <class E>
    ClassBuilder& Enumeration(const std::string& name, const NameList& names, void (C::*set)(E), E (C::*get)() const) {
        return Ordinal(name, PropKind::Enumeration, &names, set, get);
    }
    template <class S>
    ClassBuilder& Set(const std::string& name, const NameList& names, void (C::*set)(S), S (C::*get)() const) {
        return Ordinal(name, PropKind::Set, &names, set, get);
    }
    ClassBuilder& String(const std::string& name, void (C::*set)(const std::string&), std::string (C::*get)() const) {
        PropertyInfo p = Make(name, PropKind::String);
        p.setString = [set](TPersistent& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
        p.getString = [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class T> ClassBuilder& Strings(const std::string& name, T& (C::*access)()) {
        PropertyInfo p = Make(name, PropKind::Strings);
        p.object = [access](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*access)(); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class T> ClassBuilder& Object(const std::string& name, T& (C::*access)()) {
        PropertyInfo p = Make(name, PropKind::Object);
        p.object = [access](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*access)(); };
        info_.AddProperty(std::move(p));
        return *this;
    }
    template <class T> ClassBuilder& Reference(const std::string& name, void (C::*set)(T*)) {
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
    template <class... A> ClassBuilder& Event(const std::string& name, std::function<void(A...)> C::*member) {
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
    template <class V>
    ClassBuilder& Ordinal(const std::string& name, PropKind kind, const NameList* names, void (C::*set)(V),
                          V (C::*get)() const) {
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
