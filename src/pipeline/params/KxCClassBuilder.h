#pragma once
// Builds a class descriptor from member functions, for the descriptor
// files. A property's getter and setter are bound once here; the type-erased
// functions of the descriptor cast the void pointer back to T.
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

#include "pipeline/params/KxCPropValue.h"
#include "pipeline/params/KxParamDescs.h"

namespace OrvaneImage {

template <class T>
class KxCClassBuilder {
public:
    /// A builder for one of the top-level classes (not expandable).
    static KxCClassBuilder Top_Level(const char* class_name) { return KxCClassBuilder(class_name, false); }
    /// A builder for a nested class (expandable, shows its caption when collapsed).
    static KxCClassBuilder Nested(const char* class_name) { return KxCClassBuilder(class_name, true); }

    /// Appends the properties of base class B (call it first).
    template <class B>
    KxCClassBuilder& Inherit()
    {
        static_assert(std::is_base_of_v<B, T>, "Inherit needs a base class");
        for (const KxCPropDesc& p : Describe<B>().Props) m_Desc.Props.push_back(Rebased<B>(p));
        return *this;
    }

    /// The category of the properties added after this call.
    KxCClassBuilder& Category(const char* category)
    {
        m_Category = category;
        return *this;
    }

    /// An editable value: get(const T&) returns it, set(T&, value) stores it.
    /// Either may be a member function (of T or a base) or a callable.
    template <class Get, class Set>
    KxCClassBuilder& Value(const char* name, Get get, Set set)
    {
        using V = Value_Type<Get>;
        Add_Value<V>(name, get).Set = [get, set](void* owner, const std::string& text) {
            T& object = *static_cast<T*>(owner);
            V value = std::invoke(get, std::as_const(object));
            if (!KxCValueText<V>::Parse(text, value)) return false;
            std::invoke(set, object, value);
            return true;
        };
        return *this;
    }

    /// A read-only value.
    template <class Get>
    KxCClassBuilder& Value(const char* name, Get get)
    {
        Add_Value<Value_Type<Get>>(name, get).Read_Only = true;
        return *this;
    }

    /// A nested object reached through its non-const accessor.
    template <class C, class Owner>
    KxCClassBuilder& Object(const char* name, C& (Owner::*access)())
    {
        static_assert(std::is_base_of_v<Owner, T>, "accessor of another class");
        const KxCClassDesc& child = Describe<C>();
        KxCPropDesc& p = Add(name, KxEnumPropKind::Object, child.Name);
        p.Child = &child;
        p.Get = [&child](const void*) { return child.Caption; };
        p.Object = [access](void* owner) -> void* { return &(static_cast<T*>(owner)->*access)(); };
        return *this;
    }

    /// Marks the last property hidden.
    KxCClassBuilder& Hidden()
    {
        m_Desc.Props.back().Hidden = true;
        return *this;
    }

    /// Overrides the type name of the last property (for values shown as text).
    KxCClassBuilder& Shown_As(const char* type_name)
    {
        m_Desc.Props.back().Type_Name = type_name;
        return *this;
    }

    /// The finished descriptor.
    KxCClassDesc Build() { return std::move(m_Desc); }

private:
    template <class Get>
    using Value_Type = std::decay_t<std::invoke_result_t<Get, const T&>>;

    KxCClassBuilder(const char* class_name, bool expandable)
    {
        m_Desc.Name = class_name;
        m_Desc.Caption = T::Caption;
        m_Desc.Expandable = expandable;
    }

    KxCPropDesc& Add(const char* name, KxEnumPropKind kind, const std::string& type_name)
    {
        KxCPropDesc& p = m_Desc.Props.emplace_back();
        p.Name = name;
        p.Category = m_Category;
        p.Kind = kind;
        p.Type_Name = type_name;
        return p;
    }

    template <class V, class Get>
    KxCPropDesc& Add_Value(const char* name, Get get)
    {
        using Text = KxCValueText<V>;
        KxCPropDesc& p = Add(name, Text::Kind, Text::Type_Name());
        if constexpr (std::is_enum_v<V>) p.Choices = Text::Choices();
        p.Get = [get](const void* owner) { return Text::Format(std::invoke(get, *static_cast<const T*>(owner))); };
        return p;
    }

    // A base class's property, with its functions taking a T pointer instead.
    template <class B>
    static KxCPropDesc Rebased(KxCPropDesc p)
    {
        const auto to_base = [](void* owner) -> void* { return static_cast<B*>(static_cast<T*>(owner)); };
        if (p.Get)
            p.Get = [get = p.Get](const void* owner) {
                return get(static_cast<const B*>(static_cast<const T*>(owner)));
            };
        if (p.Set) p.Set = [set = p.Set, to_base](void* owner, const std::string& text) { return set(to_base(owner), text); };
        if (p.Object) p.Object = [object = p.Object, to_base](void* owner) { return object(to_base(owner)); };
        return p;
    }

    KxCClassDesc m_Desc;
    std::string m_Category;
};

} // namespace OrvaneImage
