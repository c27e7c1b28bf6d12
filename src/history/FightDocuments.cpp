#include "history/FightDocuments.h"

#include "history/FightFile.h"
#include "text/Numbers.h"

#include <algorithm>
#include <cstdio>

namespace mecovnik {

namespace {

const TFightDocuments::TDocument kNoDocument;

constexpr std::string_view kQuitPrefix = "konec-";

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool ValidTime(const TLocalTime& t)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.Year < 1 || t.Year > 9999 || t.Month < 1 || t.Month > 12)
        return false;
    const int days = kDays[t.Month - 1] + (t.Month == 2 && IsLeapYear(t.Year) ? 1 : 0);
    return t.Day >= 1 && t.Day <= days && t.Hour >= 0 && t.Hour <= 23 && t.Minute >= 0 &&
           t.Minute <= 59 && t.Second >= 0 && t.Second <= 59;
}

// Digits only, all of them: the text as a number.
std::optional<int> Digits(std::string_view text)
{
    if (text.empty() || !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::optional<std::int32_t> n = ParseInt32(text);
    return n ? std::optional<int>(*n) : std::nullopt;
}

std::string_view FileNameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

} // namespace

const TFightDocuments::TDocument& TFightDocuments::At(std::uint64_t state) const
{
    auto it = m_documents.upper_bound(state);
    if (it == m_documents.begin())
        return kNoDocument;
    return std::prev(it)->second;
}

void TFightDocuments::Set(std::uint64_t state, TDocument document)
{
    m_documents[state] = std::move(document);
}

void TFightDocuments::Stepped(std::uint64_t before)
{
    m_documents.erase(m_documents.upper_bound(before), m_documents.end());
    for (auto it = m_fileStates.begin(); it != m_fileStates.end();)
        it = it->second > before ? m_fileStates.erase(it) : std::next(it);
}

void TFightDocuments::Saved(std::uint64_t state, const std::string& path)
{
    auto it = m_documents.upper_bound(state);
    if (it == m_documents.begin())
        m_documents[0].Path = path; // the fight had no document yet: from the start
    else
        std::prev(it)->second.Path = path;
    m_fileStates[path] = state;
}

void TFightDocuments::Opened(std::uint64_t state, const std::string& path)
{
    m_fileStates[path] = state;
}

bool TFightDocuments::Changed(std::uint64_t state) const
{
    const TDocument& document = At(state);
    if (document.Path.empty())
        return false;
    const auto it = m_fileStates.find(document.Path);
    return it == m_fileStates.end() || it->second != state;
}

std::string QuitFightFileName(const TLocalTime& t, int n)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.Year, t.Month, t.Day, t.Hour,
                  t.Minute, t.Second);
    std::string name = std::string(kQuitPrefix) + stamp;
    if (n > 1)
        name += '-' + std::to_string(n);
    return name + std::string(kFightFileExtension);
}

std::optional<TLocalTime> QuitFightFileTime(std::string_view name)
{
    if (!name.starts_with(kQuitPrefix) || !name.ends_with(kFightFileExtension))
        return std::nullopt;
    name.remove_prefix(kQuitPrefix.size());
    name.remove_suffix(kFightFileExtension.size());
    // "YYYYMMDD-HHMMSS", then "-n" for n from 2.
    if (name.size() < 15 || name[8] != '-')
        return std::nullopt;
    if (name.size() > 15) {
        const std::string_view rest = name.substr(15);
        const std::optional<int> n = rest.size() > 1 && rest[0] == '-' && rest[1] != '0'
                                         ? Digits(rest.substr(1))
                                         : std::nullopt;
        if (!n || *n < 2)
            return std::nullopt;
    }
    const auto part = [name](std::size_t at, std::size_t size) {
        return Digits(name.substr(at, size));
    };
    const auto year = part(0, 4), month = part(4, 2), day = part(6, 2), hour = part(9, 2),
               minute = part(11, 2), second = part(13, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    const TLocalTime time{*year, *month, *day, *hour, *minute, *second};
    if (!ValidTime(time))
        return std::nullopt;
    return time;
}

std::string QuitFightText(const TLocalTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d. %d. %d %d:%02d", t.Day, t.Month, t.Year, t.Hour,
                  t.Minute);
    return "Souboj při ukončení – " + std::string(text);
}

std::vector<std::string> QuitFightsToRemove(const std::vector<std::string>& names,
                                            const std::vector<std::string>& recent,
                                            const std::string& folder)
{
    std::vector<std::string> remove;
    for (const std::string& name : names) {
        if (!QuitFightFileTime(name))
            continue;
        const bool kept = std::ranges::any_of(recent, [&](const std::string& path) {
            return FolderOf(path) == folder && FileNameOf(path) == name;
        });
        if (!kept)
            remove.push_back(name);
    }
    return remove;
}

} // namespace mecovnik
