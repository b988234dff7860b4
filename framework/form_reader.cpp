#include "framework/form_reader.h"

#include "framework/colors.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

// The name of the object's own C++ class, without namespaces: a form class
// need not publish anything (nor have a class description) to be checked.
std::string DynamicClassName(const TComponent& object) {
    const char* mangled = typeid(object).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> plain(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && plain ? plain.get() : mangled;
    size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

// A description is read into an object of its outermost class, or of a class
// derived from it that publishes properties of its own.
bool DescribesClassOf(const std::string& className, const TComponent& root) {
    if (SameName(className, DynamicClassName(root))) return true;
    for (const ClassInfo* c = &root.ClassType(); c; c = c->Parent())
        if (SameName(c->Name(), className)) return true;
    return false;
}

struct PendingReference {
    TComponent* owner;    // the component the property belongs to
    TPersistent* target;  // the object holding the property (may be a sub-object)
    const PropertyInfo* property;
    std::string componentName;
    int line;
};

class Reader {
public:
    Reader(TComponent& root, const std::string& name) : root_(root), name_(name) {}

    void Read(const ObjectDesc& desc) {
        root_.BeginLoading();
        loaded_.push_back(&root_);
        try {
            if (!DescribesClassOf(desc.className, root_))
                Fail(desc.line, "descrierea este a unui " + desc.className + ", nu a unui " + DynamicClassName(root_));
            if (root_.Name().empty()) Guard([&] { root_.SetName(desc.name); }, desc.line);
            AssignProperties(root_, desc);
            for (const ObjectDesc& child : desc.children) ReadChild(child, root_);
            for (const PendingReference& ref : references_) FixUp(ref);
            Guard([&] { root_.BindPublishedFields(); }, desc.line);
        } catch (...) {
            // A description that fails leaves the root as it found it: what
            // it made is freed, what it changed is no longer loading.
            while (loaded_.size() > 1) {
                delete loaded_.back();
                loaded_.pop_back();
            }
            for (TComponent* c : changed_) c->Loaded();
            throw;
        }
        for (TComponent* c : loaded_) c->Loaded();
        for (TComponent* c : changed_) c->Loaded();
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) const { throw EFormError(name_, line, message); }

    template <class F>
    void Guard(F&& action, int line) const {
        try {
            action();
        } catch (const EFormError&) {
            throw;
        } catch (const std::exception& e) {
            Fail(line, e.what());
        }
    }

    void ReadChild(const ObjectDesc& desc, TComponent& parent) {
        if (desc.inherited)
            ChangeChild(desc);
        else
            CreateChild(desc, parent);
    }

    // An object that the base description made: found by name, of the class
    // it is said to be, loading again while this description changes it.
    void ChangeChild(const ObjectDesc& desc) {
        TComponent* child = root_.FindComponent(desc.name);
        if (!child) Fail(desc.line, "componenta mostenita \"" + desc.name + "\" lipseste");
        const ClassInfo* info = FindClass(desc.className);
        if (!info || !child->InheritsFrom(*info))
            Fail(desc.line, desc.name + " este " + child->ClassName() + ", nu " + desc.className);
        child->BeginLoading();
        changed_.push_back(child);
        AssignProperties(*child, desc);
        for (const ObjectDesc& grandChild : desc.children) ReadChild(grandChild, *child);
    }

    void CreateChild(const ObjectDesc& desc, TComponent& parent) {
        const ClassInfo* info = FindClass(desc.className);
        if (!info) Fail(desc.line, "clasa necunoscuta \"" + desc.className + "\"");
        TComponent* child = info->Create(&root_);
        if (!child) Fail(desc.line, "clasa \"" + desc.className + "\" nu poate fi creata");
        size_t first = loaded_.size();
        loaded_.push_back(child);
        try {
            child->BeginLoading();
            Guard([&] { child->SetName(desc.name); }, desc.line);
            if (parent.CanHoldChild(*child))
                Guard([&] { child->SetParentComponent(&parent); }, desc.line);
            else if (&parent != &root_)
                Fail(desc.line, desc.name + " nu poate sta in " + parent.Name());
            AssignProperties(*child, desc);
            for (const ObjectDesc& grandChild : desc.children) ReadChild(grandChild, *child);
        } catch (...) {
            // A half-built object is freed with what it already holds, newest first.
            while (loaded_.size() > first) {
                delete loaded_.back();
                loaded_.pop_back();
            }
            throw;
        }
    }

    void AssignProperties(TComponent& component, const ObjectDesc& desc) {
        for (const PropAssignment& a : desc.properties) Assign(component, a);
    }

    // Follows "Font.Style" segment by segment to the object that holds the
    // last segment, then converts the value by the property's kind.
    void Assign(TComponent& component, const PropAssignment& a) {
        TPersistent* object = &component;
        std::string_view path = a.path;
        for (;;) {
            size_t dot = path.find('.');
            std::string segment(path.substr(0, dot));
            const PropertyInfo* p = object->ClassType().FindProperty(segment);
            if (!p) Fail(a.line, "proprietate necunoscuta \"" + segment + "\" la " + object->ClassName());
            if (dot == std::string_view::npos) {
                Guard([&] { Write(component, *object, *p, a.value); }, a.line);
                return;
            }
            if (p->kind != PropKind::Object) Fail(a.line, "\"" + segment + "\" nu are proprietati");
            object = p->object(*object);
            path.remove_prefix(dot + 1);
        }
    }

    void Write(TComponent& owner, TPersistent& object, const PropertyInfo& p, const PropValue& v) {
        using K = PropValue::Kind;
        auto expect = [&](K kind, const char* what) {
            if (v.kind != kind)
                Fail(v.line, "valoare gresita " + v.Describe() + " pentru " + p.name + " (se astepta " + what + ")");
        };
        switch (p.kind) {
        case PropKind::Integer:
            if (v.kind == K::Identifier && p.names) {
                p.setOrdinal(object, IndexOfName(p, v.text, v.line));
                return;
            }
            expect(K::Integer, "un numar");
            p.setOrdinal(object, v.integer);
            return;
        case PropKind::Boolean:
            expect(K::Identifier, "True sau False");
            if (SameName(v.text, "True"))
                p.setOrdinal(object, 1);
            else if (SameName(v.text, "False"))
                p.setOrdinal(object, 0);
            else
                Fail(v.line, "valoare gresita " + v.text + " pentru " + p.name + " (se astepta True sau False)");
            return;
        case PropKind::Color:
            if (v.kind == K::Integer) {
                p.setOrdinal(object, static_cast<std::int32_t>(static_cast<std::uint32_t>(v.integer)));
            } else {
                expect(K::Identifier, "o culoare");
                auto color = ColorFromName(v.text);
                if (!color) Fail(v.line, "culoare necunoscuta \"" + v.text + "\"");
                p.setOrdinal(object, *color);
            }
            return;
        case PropKind::Enumeration:
            expect(K::Identifier, "un nume");
            p.setOrdinal(object, IndexOfName(p, v.text, v.line));
            return;
        case PropKind::Set: {
            expect(K::Set, "o multime [..]");
            std::int64_t bits = 0;
            for (const std::string& n : v.names) bits |= std::int64_t{1} << IndexOfName(p, n, v.line);
            p.setOrdinal(object, bits);
            return;
        }
        case PropKind::String:
            expect(K::String, "un sir");
            p.setString(object, v.text);
            return;
        case PropKind::Strings: {
            expect(K::List, "o lista (..)");
            std::vector<std::string> lines;
            for (const PropValue& item : v.items) {
                if (item.kind != K::String) Fail(item.line, "lista " + p.name + " primeste doar siruri");
                lines.push_back(item.text);
            }
            static_cast<TStrings*>(p.object(object))->Assign(lines);
            return;
        }
        case PropKind::Reference:
            expect(K::Identifier, "numele unei componente");
            references_.push_back({&owner, &object, &p, v.text, v.line});
            return;
        case PropKind::Event:
            expect(K::Identifier, "numele unei metode");
            p.bindEvent(object, root_, v.text);
            return;
        case PropKind::Custom: p.custom(object, v); return;
        case PropKind::Object: Fail(v.line, p.name + " se scrie pe proprietati (" + p.name + ".Nume = ...)");
        }
    }

    std::int64_t IndexOfName(const PropertyInfo& p, const std::string& name, int line) const {
        for (size_t i = 0; i < p.names->size(); ++i)
            if (SameName((*p.names)[i], name)) return static_cast<std::int64_t>(i);
        Fail(line, "valoare necunoscuta \"" + name + "\" pentru " + p.name);
    }

    void FixUp(const PendingReference& ref) {
        TComponent* target = SameName(ref.componentName, "nil")          ? nullptr
                             : SameName(ref.componentName, root_.Name()) ? &root_
                                                                         : root_.FindComponent(ref.componentName);
        if (!target && !SameName(ref.componentName, "nil"))
            Fail(ref.line, "componenta necunoscuta \"" + ref.componentName + "\"");
        bool ok = false;
        Guard([&] { ok = ref.property->setReference(*ref.target, target); }, ref.line);
        if (!ok) Fail(ref.line, ref.componentName + " nu se potriveste cu " + ref.property->name);
    }

    TComponent& root_;
    const std::string& name_;
    std::vector<TComponent*> loaded_;   // creation order; all but the root owned by the root
    std::vector<TComponent*> changed_;  // made by an earlier description, changed by this one
    std::vector<PendingReference> references_;
};

}  // namespace

void ReadComponent(TComponent& root, std::string_view text, const std::string& descriptionName) {
    ObjectDesc desc = ParseFormDescription(text, descriptionName);
    Reader(root, descriptionName).Read(desc);
}
