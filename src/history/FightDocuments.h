#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

// The file a fight belongs to, followed through the history's states
// (TRosterHistory::State), so that undoing an opened file gives back the
// fight and also the file it came from, and saving never writes one file's
// fight into another.
class TFightDocuments final
{
public:
    // What belongs to the fight besides its rosters.
    struct TDocument
    {
        // The file it was opened from or last saved to; empty for none.
        std::string Path;
        friend bool operator==(const TDocument&, const TDocument&) = default;
    };

    // The document of the fight at state: the one set at the latest state not
    // after it; none before anything was set.
    [[nodiscard]] const TDocument& At(std::uint64_t state) const;

    // From state on, the fight is document's (an open, a new fight). A
    // document set at state before is replaced.
    void Set(std::uint64_t state, TDocument document);

    // A command took the history from state before to a new state: the states
    // that were undone from before are gone, and so are their documents. Call
    // before Set for the new state.
    void Stepped(std::uint64_t before);

    // The fight at state was saved as path (or, for Save As, under another
    // name): the document in force at state takes that path, and the file
    // holds the fight of state.
    void Saved(std::uint64_t state, const std::string& path);

    // The file path holds the fight of state (it was just opened from it).
    void Opened(std::uint64_t state, const std::string& path);

    // Whether the fight at state differs from what its file holds; false for a
    // fight without a file.
    [[nodiscard]] bool Changed(std::uint64_t state) const;

private:
    std::map<std::uint64_t, TDocument> m_documents;
    // The state each file holds, as far as this run wrote or read it.
    std::map<std::string, std::uint64_t> m_fileStates;
};

// A point of local time, as the clock gives it.
struct TLocalTime
{
    int Year = 0;
    int Month = 0; // 1..12
    int Day = 0;   // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// The name of the file that keeps the fight at a normal end, made at time:
// "konec-YYYYMMDD-HHMMSS.souboj", or with "-n" before the extension (n from 2)
// for the n-th file of the same second.
[[nodiscard]] std::string QuitFightFileName(const TLocalTime& time, int n = 1);

// The time of a file name that QuitFightFileName gives, or nothing for any
// other name (a valid date and time is required).
[[nodiscard]] std::optional<TLocalTime> QuitFightFileTime(std::string_view fileName);

// How the recent list shows such a file: "Souboj při ukončení – 1. 5. 2024
// 20:30" (the Czech date, day and month without leading zeros).
[[nodiscard]] std::string QuitFightText(const TLocalTime& time);

// Of the file names in the folder that keeps fights at the end, those to
// remove: every name that QuitFightFileTime takes and that the recent list
// (paths, of which only those in folder count) does not hold.
[[nodiscard]] std::vector<std::string> QuitFightsToRemove(const std::vector<std::string>& names,
                                                          const std::vector<std::string>& recent,
                                                          const std::string& folder);

} // namespace mecovnik
