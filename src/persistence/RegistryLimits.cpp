#include "persistence/RegistryLimits.h"

#include "persistence/RegFileFormat.h"
#include "persistence/RegistryCaseFold.h"

#include <algorithm>

namespace mecovnik {

namespace {

std::string FoldPath(std::string_view path)
{
    std::string folded;
    while (true) {
        const std::size_t sep = path.find('\\');
        folded += FoldCase(path.substr(0, sep));
        if (sep == std::string_view::npos)
            return folded;
        folded += '\\';
        path.remove_prefix(sep + 1);
    }
}

void AddWays(std::vector<std::string>& ways, const std::string& folded)
{
    for (std::size_t sep = folded.find('\\'); sep != std::string::npos;
         sep = folded.find('\\', sep + 1))
        ways.push_back(folded.substr(0, sep));
    ways.push_back(folded);
}

} // namespace

std::size_t HeaderBytes()
{
    return kRegFileHeader.size() + 1;
}

TOwnership::TOwnership(const TProgramPlaces& places)
{
    for (const std::string& path : places.Subtrees) {
        m_subtrees.push_back(FoldPath(path));
        AddWays(m_ways, m_subtrees.back());
    }
    for (const auto& [path, name] : places.Values) {
        m_values.emplace_back(FoldPath(path), FoldCase(name));
        AddWays(m_ways, m_values.back().first);
    }
    std::sort(m_ways.begin(), m_ways.end());
    m_ways.erase(std::unique(m_ways.begin(), m_ways.end()), m_ways.end());
}

TOwnership::TKeyOwner TOwnership::Child(const TKeyOwner& parent, std::string_view name) const
{
    if (parent.Place != TPlace::OnTheWay)
        return {parent.Place, {}};
    TKeyOwner child;
    child.Folded = parent.Folded;
    if (!child.Folded.empty())
        child.Folded += '\\';
    child.Folded += FoldCase(name);
    if (std::find(m_subtrees.begin(), m_subtrees.end(), child.Folded) != m_subtrees.end())
        return {TPlace::Inside, {}};
    if (!std::binary_search(m_ways.begin(), m_ways.end(), child.Folded))
        return {TPlace::Foreign, {}};
    return child;
}

bool TOwnership::OwnsValue(const TKeyOwner& key, std::string_view name) const
{
    if (key.Place != TPlace::OnTheWay)
        return key.Place == TPlace::Inside;
    const std::string folded = FoldCase(name);
    return std::any_of(m_values.begin(), m_values.end(), [&](const auto& value) {
        return value.first == key.Folded && value.second == folded;
    });
}

} // namespace mecovnik
