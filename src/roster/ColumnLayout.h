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

// The widths for text at percent, from the widths the sections have at the
// normal size (100): each scaled with the text (rounded to the nearest
// pixel). When the scaled sections fit headerWidth the last takes what the
// others leave; when they do not, all shrink in proportion to fill it, so
// every column stays in view.
[[nodiscard]] std::vector<int> ZoomColumnWidths(int headerWidth,
                                                const std::vector<int>& normalWidths, int percent);
// The widths at the normal size of sections that are widths wide at percent
// (rounded to the nearest pixel).
[[nodiscard]] std::vector<int> NormalColumnWidths(const std::vector<int>& widths, int percent);

} // namespace mecovnik
