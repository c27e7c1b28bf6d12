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

} // namespace mecovnik
