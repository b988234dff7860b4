// Component model of the user-interface framework: objects that own one
// another, carry a name and publish methods by name, so that a form
// description can build and wire them (the properties they publish are in
// properties.h). Portable (no Win32): tested natively as well.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
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

#define DECLARE_CLASS_INFO                 \
public:                                    \
    static const ClassInfo& StaticClass(); \
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
    template <class T>
    T* FindChild(std::string_view name) const {
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
        methods_[name] = std::function<void(A...)>([self, method](A... args) { (self->*method)(args...); });
    }
    template <class T>
    void PublishField(const std::string& name, T*& field) {
        fields_.push_back({name, [&field](TComponent* found) {
                               field = dynamic_cast<T*>(found);
                               return field != nullptr;
                           }});
    }
    bool HasMethod(std::string_view name) const { return methods_.count(name) != 0; }
    // The handler registered under name, which must have the event's signature.
    template <class... A>
    std::function<void(A...)> FindMethod(std::string_view name) const {
        auto it = methods_.find(name);
        if (it == methods_.end()) throw EComponentError("metoda necunoscuta \"" + std::string(name) + "\"");
        auto* handler = std::any_cast<std::function<void(A...)>>(&it->second);
        if (!handler) throw EComponentError("metoda \"" + std::string(name) + "\" nu are forma ceruta de eveniment");
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
