#pragma once
// A tree of named parameter objects addressed by dotted paths such as
// "MeshParam.Sample.Importance.Density". Both the window's inspector and the
// command line list, read and write parameters through it; values go through
// the real setters, so clamping and other side effects apply.
#include <string>
#include <vector>

#include "pipeline/params/KxCPropDesc.h"
#include "pipeline/params/KxParamDescs.h"

namespace OrvaneImage {

/// One row of KxCPropTree::List.
struct KxCPropRow {
    std::string Path;       ///< "Root.Prop.Prop..."
    std::string Category;   ///< "" when none (and for roots)
    std::string Type_Name;  ///< value type, or class name for objects
    std::string Value;      ///< value text; the caption for objects
    bool Read_Only = false;
    bool Hidden = false;
    bool Is_Object = false;           ///< a root or a nested object
    std::vector<std::string> Choices; ///< enumeration value names
};

/// Outcome of Get or Set: Ok, or a one-line Error.
struct KxCPropResult {
    bool Ok = true;
    std::string Error;

    explicit operator bool() const { return Ok; }
};

/// Named roots over parameter objects it does not own (they must outlive
/// their use through the tree).
class KxCPropTree {
public:
    /// Adds object under name, or re-binds that name to object.
    template <class T>
    void Add_Root(const std::string& name, T& object)
    {
        Add_Root(name, Describe<T>(), &object);
    }
    /// Untyped form of Add_Root: object must be of the class desc describes.
    void Add_Root(const std::string& name, const KxCClassDesc& desc, void* object);

    /// Every root and property, depth first in declaration order, hidden ones
    /// included. Reading Jitter_Scale this way consumes its two draws.
    std::vector<KxCPropRow> List() const;

    /// The value text (objects: their caption) of path.
    KxCPropResult Get(const std::string& path, std::string& value) const;

    /// Parses text and stores it at path. Fails, changing nothing, for an
    /// unknown path (naming up to 3 nearest names), a bad value (naming what
    /// is expected), a read-only property or a nested object.
    KxCPropResult Set(const std::string& path, const std::string& text);

private:
    struct KxCRoot {
        std::string Name;
        const KxCClassDesc* Desc;
        void* Object;
    };
    // What a path names: a root (Prop null, Object the root) or a property
    // (Object its owner); Desc describes Object.
    struct KxCTarget {
        void* Object = nullptr;
        const KxCClassDesc* Desc = nullptr;
        const KxCPropDesc* Prop = nullptr;
    };

    KxCPropResult Resolve(const std::string& path, KxCTarget& target) const;
    void List_Object(const std::string& path, const KxCClassDesc& desc, void* object,
                     std::vector<KxCPropRow>& rows) const;

    std::vector<KxCRoot> m_Roots;
};

} // namespace OrvaneImage
