#pragma once

#include "roster/TNameOrder.h"
#include "roster/TObjekt.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mecovnik {

// The records of one roster, kept sorted by name in the given order, with
// numbered names ("Krysa [2]") by their numbers (CompareRosterNames). The list
// owns its records: removing a row destroys its record.
class TRosterList
{
public:
    explicit TRosterList(const TNameOrder& order) : m_order(order) {}

    TRosterList(const TRosterList&) = delete;
    TRosterList& operator=(const TRosterList&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(m_rows.size()); }

    // Counts the changes of which rows there are (additions and removals).
    [[nodiscard]] std::uint64_t Revision() const { return m_revision; }

    // The record of a row, or nullptr for an index outside the list (-1 included).
    [[nodiscard]] TObjekt* At(int row) const;

    // Inserts the record at its sorted place (after rows that compare equal)
    // and returns that row index.
    int Add(std::unique_ptr<TObjekt> record);

    // Row index where a record of this name would be inserted.
    [[nodiscard]] int InsertPosition(std::string_view name) const;

    // Row of a record whose name equals name ignoring case, or -1.
    [[nodiscard]] int IndexOf(std::string_view name) const;

    // Removes and destroys the record of a row; nothing for an invalid index.
    void Delete(int row);

    // Removes and destroys every record for which pred is true, in one pass.
    template <class Pred> void RemoveIf(Pred pred)
    {
        ++m_revision;
        auto kept = m_rows.begin();
        for (auto& record : m_rows) {
            if (pred(*record)) {
                Track(record->Name, false);
                Dispose(std::move(record));
            } else {
                if (&*kept != &record)
                    *kept = std::move(record);
                ++kept;
            }
        }
        m_rows.erase(kept, m_rows.end());
    }

    // Removes the records of the given rows (ascending, distinct, each valid)
    // in one pass and hands them over in that order.
    [[nodiscard]] std::vector<std::unique_ptr<TObjekt>> TakeRows(const std::vector<int>& rows);

    // Puts records back where they stood in an earlier state: each pair holds
    // the row the record gets in the result, rows ascending. One pass, no name
    // comparison: the caller vouches that this restores a sorted roster.
    void PutRows(std::vector<std::pair<int, std::unique_ptr<TObjekt>>> rows);

    // While a sink is set, removed records are moved into it instead of being
    // destroyed, so that a recorder can keep them; nullptr destroys them again.
    void SetRemovalSink(std::vector<std::unique_ptr<TObjekt>>* sink) { m_sink = sink; }

    // A number n >= 1 such that every number below it is carried by a row
    // "<base> [m]" whose base compares equal to name: the numbers below are
    // confirmed used. Rows whose bases only share name's fold key without
    // comparing equal confirm nothing. The caller still checks n itself (a
    // row with another fold key may compare equal).
    [[nodiscard]] std::int64_t LowestFreeNumber(std::string_view name) const;

    [[nodiscard]] const TNameOrder& Order() const { return m_order; }

private:
    // Numbers in use after the bases that compare equal to one another, kept
    // as rows come and go so that a name with thousands of numbered copies
    // finds its next number at once.
    struct TNumbers
    {
        std::string Base;                 // one of the bases; all compare equal to it
        std::map<std::int64_t, int> Used; // number -> rows carrying it
        std::int64_t LowestFree = 1;      // every number below it is used
    };
    // The bases under one fold key: usually one class, more where the fold key
    // joins names that the order tells apart.
    using TNumberClasses = std::vector<TNumbers>;

    void Track(const std::string& name, bool added);
    void Dispose(std::unique_ptr<TObjekt> record);

    const TNameOrder& m_order;
    std::vector<std::unique_ptr<TObjekt>> m_rows;
    std::unordered_map<std::string, TNumberClasses> m_numbers;
    std::vector<std::unique_ptr<TObjekt>>* m_sink = nullptr;
    std::uint64_t m_revision = 0;
};

} // namespace mecovnik
