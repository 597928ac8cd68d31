#pragma once
// Metadata of the parameter and property classes, built once per class and
// walked by every front end (the window's inspector, the command line).
// Objects are reached through void pointers; each function of a property
// descriptor expects a pointer to an object of the class that lists it.
#include <functional>
#include <string>
#include <vector>

namespace OrvaneImage {

/// The kind of value a property holds.
enum class KxEnumPropKind { Bool, Int, Unsigned, Float, Double, String, Enum, Color, Range, Object };

struct KxCClassDesc;

/// One property of a parameter or property class.
struct KxCPropDesc {
    std::string Name;
    std::string Category;              ///< inspector group; "" when none
    KxEnumPropKind Kind = KxEnumPropKind::String;
    std::string Type_Name;             ///< "int", "KxEnumDifficulty", "KxCXFormParam", ...
    std::vector<std::string> Choices;  ///< value names of an enumeration, else empty
    bool Read_Only = false;            ///< shown but not editable; Set is empty
    bool Hidden = false;               ///< not shown by the inspector
    const KxCClassDesc* Child = nullptr;  ///< class of a nested object

    /// The value as text; a nested object gives its caption.
    std::function<std::string(const void* owner)> Get;
    /// Parses text and stores it through the setter (so its side effects
    /// happen); false, with nothing changed, when text is not a valid value.
    /// Empty for read-only properties and nested objects.
    std::function<bool(void* owner, const std::string& text)> Set;
    /// The nested object; empty unless Kind is Object.
    std::function<void*(void* owner)> Object;
};

/// A parameter or property class: its captions and its properties in
/// declaration order, base-class properties first.
struct KxCClassDesc {
    std::string Name;        ///< C++ class name
    std::string Caption;     ///< ToString of every instance
    bool Expandable = false; ///< nested classes expand in the inspector; top-level ones do not
    std::vector<KxCPropDesc> Props;

    /// The property of that exact name, or null.
    const KxCPropDesc* Find(const std::string& name) const;
};

} // namespace OrvaneImage
