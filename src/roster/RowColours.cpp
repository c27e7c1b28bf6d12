#include "roster/RowColours.h"

#include <algorithm>
#include <cmath>

namespace mecovnik {

namespace {

int Channel(TColor colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

TColor Make(int red, int green, int blue)
{
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) |
           (static_cast<TColor>(blue) << 16);
}

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Step k of 255 on the way from colour to black (toBlack) or to white.
TColor Toward(TColor colour, bool toBlack, int k)
{
    const auto move = [&](int c) {
        return toBlack ? (c * (255 - k) + 127) / 255 : c + ((255 - c) * k + 127) / 255;
    };
    return Make(move(Channel(colour, 0)), move(Channel(colour, 8)), move(Channel(colour, 16)));
}

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
// The state colours of the original rows.
constexpr TColor kDeadRed = clRed;
constexpr TColor kKnockedOutGrey = clSilver;

} // namespace

double RelativeLuminance(TColor colour)
{
    return 0.2126 * Linear(Channel(colour, 0)) + 0.7152 * Linear(Channel(colour, 8)) +
           0.0722 * Linear(Channel(colour, 16));
}

double ContrastRatio(TColor a, TColor b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor NearestReaching(TColor colour, TColor other, double ratio)
{
    if (ContrastRatio(colour, other) >= ratio)
        return colour;
    bool toBlack = ContrastRatio(kBlack, other) >= ratio;
    if (!toBlack && ContrastRatio(kWhite, other) < ratio)
        return colour;
    for (int k = 1; k <= 255; ++k) {
        const TColor candidate = Toward(colour, toBlack, k);
        if (ContrastRatio(candidate, other) >= ratio)
            return candidate;
    }
    return toBlack ? kBlack : kWhite;
}

TRowState RowStateOf(const TObjekt& record)
{
    if (record.IsDead())
        return TRowState::Dead;
    if (record.IsKnockedOut())
        return TRowState::KnockedOut;
    return TRowState::Standing;
}

TRowColours RowColours(TRowState state, bool selected, const TListColours& list)
{
    if (!selected) {
        TColor text = list.Text;
        if (state == TRowState::Dead)
            text = kDeadRed;
        else if (state == TRowState::KnockedOut)
            text = kKnockedOutGrey;
        return {NearestReaching(text, list.Base, kMinimumContrast), list.Base};
    }
    const TColor text = list.HighlightedText;
    TColor background = list.Highlight;
    if (state == TRowState::Dead)
        background = kDeadRed;
    else if (state == TRowState::KnockedOut)
        background = kKnockedOutGrey;
    return {text, NearestReaching(background, text, kSelectedContrast)};
}

TRowColourTable MakeRowColourTable(const TListColours& list)
{
    TRowColourTable table{};
    for (std::size_t s = 0; s < kRowStates.size(); ++s)
        for (int selected = 0; selected < 2; ++selected)
            table[s][static_cast<std::size_t>(selected)] =
                RowColours(kRowStates[s], selected != 0, list);
    return table;
}

std::string_view StateMark(TRowState state)
{
    switch (state) {
    case TRowState::Dead:
        return "\u2020";
    case TRowState::KnockedOut:
        return "K.O.";
    case TRowState::Standing:
        break;
    }
    return {};
}

std::string ShownColumnText(const TObjekt& record, int column)
{
    std::string text = record.GetColumnText(column);
    const std::string_view mark = column == 1 ? StateMark(RowStateOf(record)) : std::string_view{};
    if (mark.empty())
        return text;
    return std::string(mark) + ' ' + text;
}

} // namespace mecovnik
