#pragma once
// Text conversion of each value type a property can hold, used by the
// descriptor builder. Every Parse leaves its output unchanged on failure.
#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include "pipeline/params/KxCColor.h"
#include "pipeline/params/KxCPropDesc.h"
#include "pipeline/params/KxCRange.h"
#include "pipeline/params/KxEnums.h"
#include "pipeline/params/KxParamText.h"

namespace OrvaneImage {

/// Index of text among names (compared case-insensitively), or of the value
/// it gives as a number; -1 when it is neither.
int Find_Choice(const std::string& text, const std::vector<std::string>& names);

/// Kind, type name and text form of a value type; specialised below.
template <class V, class Enable = void>
struct KxCValueText;

/// Shared part of the numeric types.
template <class N, KxEnumPropKind K>
struct KxCNumberText {
    static constexpr KxEnumPropKind Kind = K;
    static std::string Format(N v) { return Format_Number(v); }
    static bool Parse(const std::string& text, N& v) { return Parse_Number(text, v); }
};

template <>
struct KxCValueText<int> : KxCNumberText<int, KxEnumPropKind::Int> {
    static std::string Type_Name() { return "int"; }
};
template <>
struct KxCValueText<unsigned> : KxCNumberText<unsigned, KxEnumPropKind::Unsigned> {
    static std::string Type_Name() { return "unsigned"; }
};
template <>
struct KxCValueText<float> : KxCNumberText<float, KxEnumPropKind::Float> {
    static std::string Type_Name() { return "float"; }
};
template <>
struct KxCValueText<double> : KxCNumberText<double, KxEnumPropKind::Double> {
    static std::string Type_Name() { return "double"; }
};

/// "true"/"false"; reads true, false, 1 or 0 in any letter case.
template <>
struct KxCValueText<bool> {
    static constexpr KxEnumPropKind Kind = KxEnumPropKind::Bool;
    static std::string Type_Name() { return "bool"; }
    static std::string Format(bool v) { return v ? "true" : "false"; }
    static bool Parse(const std::string& text, bool& v);
};

/// Any text, taken as it is.
template <>
struct KxCValueText<std::string> {
    static constexpr KxEnumPropKind Kind = KxEnumPropKind::String;
    static std::string Type_Name() { return "string"; }
    static std::string Format(const std::string& v) { return v; }
    static bool Parse(const std::string& text, std::string& v)
    {
        v = text;
        return true;
    }
};

/// "r,g,b,a".
template <>
struct KxCValueText<KxCColor> {
    static constexpr KxEnumPropKind Kind = KxEnumPropKind::Color;
    static std::string Type_Name() { return "colour"; }
    static std::string Format(const KxCColor& v) { return v.ToString(); }
    static bool Parse(const std::string& text, KxCColor& v) { return KxCColor::Parse(text, v); }
};

/// "min,max".
template <>
struct KxCValueText<KxCRange> {
    static constexpr KxEnumPropKind Kind = KxEnumPropKind::Range;
    static std::string Type_Name() { return "range"; }
    static std::string Format(const KxCRange& v) { return v.ToString(); }
    static bool Parse(const std::string& text, KxCRange& v) { return KxCRange::Parse(text, v); }
};

/// The value's name; reads a name or a value's number.
template <class E>
struct KxCValueText<E, std::enable_if_t<std::is_enum_v<E>>> {
    static constexpr KxEnumPropKind Kind = KxEnumPropKind::Enum;
    static std::string Type_Name() { return KxEnumInfo<E>::Type_Name; }
    static std::vector<std::string> Choices()
    {
        const auto& names = KxEnumInfo<E>::Names;
        return std::vector<std::string>(names.begin(), names.end());
    }
    static std::string Format(E v) { return Enum_Name(v); }
    static bool Parse(const std::string& text, E& v)
    {
        const int i = Find_Choice(text, Choices());
        if (i < 0) return false;
        v = static_cast<E>(i);
        return true;
    }
};

} // namespace OrvaneImage
