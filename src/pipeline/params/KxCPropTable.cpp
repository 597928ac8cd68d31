#include "pipeline/params/KxCPropTable.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace OrvaneImage {

namespace {

KxCPropResult Fail(std::string error) { return {false, std::move(error)}; }

std::string Join(const std::vector<std::string>& items)
{
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
    return out;
}

// Levenshtein distance, ignoring letter case.
std::size_t Edit_Distance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// "unknown <what> 'name'<where> (nearest: a, b, c)" with the three candidates
// closest to name, ties in declaration order.
std::string Unknown(const std::string& what, const std::string& name, const std::string& where,
                    std::vector<std::string> candidates)
{
    std::stable_sort(candidates.begin(), candidates.end(), [&name](const std::string& x, const std::string& y) {
        return Edit_Distance(name, x) < Edit_Distance(name, y);
    });
    if (candidates.size() > 3) candidates.resize(3);
    std::string message = "unknown " + what + " '" + name + "'" + where;
    if (!candidates.empty()) message += " (nearest: " + Join(candidates) + ")";
    return message;
}

std::string Expected(const KxCPropDesc& p)
{
    switch (p.Kind) {
    case KxEnumPropKind::Bool: return "true, false, 1 or 0";
    case KxEnumPropKind::Enum: return "one of " + Join(p.Choices) + " (or its number)";
    case KxEnumPropKind::Color: return "a colour r,g,b or r,g,b,a, each 0 ... 255";
    case KxEnumPropKind::Range: return "a range min,max";
    default: return "a number of type " + p.Type_Name;
    }
}

std::vector<std::string> Split_Path(const std::string& path)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = path.find('.', start);
        names.push_back(path.substr(start, dot - start));
        if (dot == std::string::npos) return names;
        start = dot + 1;
    }
}

} // namespace

void KxCPropTree::Add_Root(const std::string& name, const KxCClassDesc& desc, void* object)
{
    for (KxCRoot& root : m_Roots)
        if (root.Name == name) {
            root = {name, &desc, object};
            return;
        }
    m_Roots.push_back({name, &desc, object});
}

std::vector<KxCPropRow> KxCPropTree::List() const
{
    std::vector<KxCPropRow> rows;
    for (const KxCRoot& root : m_Roots) {
        KxCPropRow row;
        row.Path = root.Name;
        row.Type_Name = root.Desc->Name;
        row.Value = root.Desc->Caption;
        row.Is_Object = true;
        rows.push_back(row);
        List_Object(root.Name, *root.Desc, root.Object, rows);
    }
    return rows;
}

void KxCPropTree::List_Object(const std::string& path, const KxCClassDesc& desc, void* object,
                              std::vector<KxCPropRow>& rows) const
{
    for (const KxCPropDesc& p : desc.Props) {
        KxCPropRow row;
        row.Path = path + "." + p.Name;
        row.Category = p.Category;
        row.Type_Name = p.Type_Name;
        row.Value = p.Get(object);
        row.Read_Only = p.Read_Only;
        row.Hidden = p.Hidden;
        row.Is_Object = p.Child != nullptr;
        row.Choices = p.Choices;
        rows.push_back(row);
        if (p.Child) List_Object(row.Path, *p.Child, p.Object(object), rows);
    }
}

KxCPropResult KxCPropTree::Resolve(const std::string& path, KxCTarget& target) const
{
    const std::vector<std::string> names = Split_Path(path);
    const auto root = std::find_if(m_Roots.begin(), m_Roots.end(),
                                   [&names](const KxCRoot& r) { return r.Name == names[0]; });
    if (root == m_Roots.end()) {
        std::vector<std::string> root_names;
        for (const KxCRoot& r : m_Roots) root_names.push_back(r.Name);
        return Fail(Unknown("root", names[0], "", root_names));
    }
    KxCTarget t{root->Object, root->Desc, nullptr};
    std::string walked = names[0];
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (t.Prop) {
            if (!t.Prop->Child) return Fail("'" + walked + "' is a " + t.Prop->Type_Name + " value, not an object");
            t.Object = t.Prop->Object(t.Object);
            t.Desc = t.Prop->Child;
        }
        t.Prop = t.Desc->Find(names[i]);
        if (!t.Prop) {
            std::vector<std::string> prop_names;
            for (const KxCPropDesc& p : t.Desc->Props) prop_names.push_back(p.Name);
            return Fail(Unknown("property", names[i], " in '" + walked + "'", prop_names));
        }
        walked += "." + names[i];
    }
    target = t;
    return {};
}

KxCPropResult KxCPropTree::Get(const std::string& path, std::string& value) const
{
    KxCTarget t;
    if (KxCPropResult r = Resolve(path, t); !r) return r;
    value = t.Prop ? t.Prop->Get(t.Object) : t.Desc->Caption;
    return {};
}

KxCPropResult KxCPropTree::Set(const std::string& path, const std::string& text)
{
    KxCTarget t;
    if (KxCPropResult r = Resolve(path, t); !r) return r;
    if (!t.Prop || t.Prop->Child)
        return Fail("'" + path + "' is an object, not a value; set one of its properties instead");
    if (t.Prop->Read_Only) return Fail("'" + path + "' is read-only");
    if (!t.Prop->Set(t.Object, text))
        return Fail("bad value '" + text + "' for '" + path + "': expected " + Expected(*t.Prop));
    return {};
}

} // namespace OrvaneImage
