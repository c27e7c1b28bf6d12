#pragma once

#include <vector>

namespace mecovnik {

// Section widths for a header of the given width and section count: the first
// section twice as wide as each middle one, the last one taking the remainder.
// Empty for n <= 0.
[[nodiscard]] std::vector<int> ResetColumnWidths(int headerWidth, int sectionCount);

// Width the last section must take so that all sections fill the header after
// the user dragged a border: headerWidth minus the other sections' widths.
// widths must not be empty.
[[nodiscard]] int LastSectionFillWidth(int headerWidth, const std::vector<int>& widths);

// The widths after the header took a new width (the window was resized): every
// section keeps its width, also one the user widened, and the last takes what
// is left (LastSectionFillWidth), never less than 0. Empty widths stay empty.
[[nodiscard]] std::vector<int> FollowHeaderWidth(int headerWidth, std::vector<int> widths);

// The widths after the roster's text changed size from oldPercent to
// newPercent: every section but the last scales with the text (rounded to the
// nearest pixel), so each keeps its room in letters; the last takes what is
// left of headerWidth as in FollowHeaderWidth.
[[nodiscard]] std::vector<int> ZoomColumnWidths(int headerWidth, std::vector<int> widths,
                                                int oldPercent, int newPercent);

} // namespace mecovnik
