#include "history/FightFileRules.h"

#include "roster/RosterRules.h"
#include "roster/TObjekt.h"
#include "roster/TRosterList.h"

#include <algorithm>
#include <map>

namespace mecovnik {

TFightSelection ReplaceFight(TRosterList& postavy, TRosterList& nestvury, const TFightData& fight)
{
    TFightSelection selection;
    TRosterList* lists[kRosterSides] = {&postavy, &nestvury};
    for (int side = 0; side < kRosterSides; ++side) {
        const auto s = static_cast<std::size_t>(side);
        TRosterList& list = *lists[side];
        list.RemoveIf([](const TObjekt&) { return true; });
        const TObjekt* selected = nullptr;
        const auto& rows = fight.Rosters[s];
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (list.IndexOf(rows[row].Name) >= 0)
                continue;
            auto record = MakeRecord(static_cast<TRosterSide>(side), rows[row]);
            if (static_cast<int>(row) == fight.Selection.Rows[s])
                selected = record.get();
            list.Add(std::move(record));
        }
        // Rows move while later records are added; find the selected one last.
        if (selected)
            for (int row = 0; row < list.Count(); ++row)
                if (list.At(row) == selected)
                    selection.Rows[s] = row;
    }
    return selection;
}

TAddedFromFile AddFightFromFile(TRosterList& postavy, TRosterList& nestvury, const TFightData& file)
{
    TAddedFromFile added;
    for (const TRecordData& record : file.Rosters[kPostavy]) {
        if (postavy.IndexOf(record.Name) >= 0) {
            added.SkippedCharacters.push_back(record.Name);
            continue;
        }
        postavy.Add(MakeRecord(kPostavy, record));
        added.Added[kPostavy].push_back(record.Name);
    }
    for (const TRecordData& record : file.Rosters[kNestvury]) {
        TRecordData joining = record;
        joining.Name = UniqueName(nestvury, record.Name);
        if (nestvury.IndexOf(joining.Name) >= 0) {
            added.SkippedMonsters.push_back(record.Name);
            continue;
        }
        nestvury.Add(MakeRecord(kNestvury, joining));
        added.Added[kNestvury].push_back(std::move(joining.Name));
    }
    return added;
}

std::vector<std::string> WithRecentFight(const std::vector<std::string>& recent,
                                         const std::string& path)
{
    std::vector<std::string> list;
    list.reserve(kMaxRecentFights);
    if (!path.empty())
        list.push_back(path);
    for (const std::string& entry : recent) {
        if (list.size() == kMaxRecentFights)
            break;
        if (!entry.empty() && std::find(list.begin(), list.end(), entry) == list.end())
            list.push_back(entry);
    }
    return list;
}

std::vector<std::string> WithoutRecentFight(const std::vector<std::string>& recent,
                                            const std::string& path)
{
    std::vector<std::string> list = WithRecentFight(recent, {});
    std::erase(list, path);
    return list;
}

std::vector<std::string> RecentFightTexts(const std::vector<std::string>& recent)
{
    std::vector<std::string> texts;
    texts.reserve(recent.size());
    std::map<std::string, int> uses;
    for (const std::string& path : recent) {
        const std::size_t slash = path.rfind('/');
        texts.push_back(slash == std::string::npos ? path : path.substr(slash + 1));
        ++uses[texts.back()];
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (uses[texts[i]] > 1)
            texts[i] = recent[i];
    return texts;
}

std::string RecentFightCaption(std::size_t index, std::string_view text)
{
    std::string caption;
    caption.reserve(text.size() + 4);
    if (index < 9)
        caption += '&';
    caption += std::to_string(index + 1);
    caption += ' ';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            caption += ' ';
        } else if (c == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            caption += ' '; // U+0080..U+009F, the other control characters
            ++i;
        } else {
            if (c == '&')
                caption += '&';
            caption += text[i];
        }
    }
    return caption;
}

} // namespace mecovnik
