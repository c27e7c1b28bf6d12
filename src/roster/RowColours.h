#pragma once

#include "roster/TObjekt.h"

#include <array>
#include <string>
#include <string_view>

namespace mecovnik {

// The least contrast a row's text has against its background, as the usual
// accessibility floor asks of normal text.
inline constexpr double kMinimumContrast = 4.5;
// What a selected row's background aims at: light text on a darker ground
// loses a little to antialiasing (its brightest painted pixels stay a shade
// below the pen), so the ground keeps a margin above the floor.
inline constexpr double kSelectedContrast = 4.8;

// Relative luminance of a colour (0x00BBGGRR) as the accessibility guidelines
// define it: sRGB channels linearised, weighted 0.2126 red, 0.7152 green,
// 0.0722 blue; 0 for black, 1 for white.
[[nodiscard]] double RelativeLuminance(TColor colour);
// (lighter + 0.05) / (darker + 0.05) of the two luminances: 1 to 21.
[[nodiscard]] double ContrastRatio(TColor a, TColor b);
// colour when it has at least ratio against other; otherwise the first colour
// on the way from colour to black (or to white, when black cannot reach it
// and white can), channel by channel in 255 steps, that does. colour itself
// when neither end reaches ratio.
[[nodiscard]] TColor NearestReaching(TColor colour, TColor other, double ratio);

// What a row shows of its record's lives.
enum class TRowState
{
    Standing,
    KnockedOut,
    Dead,
};
inline constexpr std::array<TRowState, 3> kRowStates{TRowState::Standing, TRowState::KnockedOut,
                                                     TRowState::Dead};

// Dead when Lives <= 0, knocked out when 0 < Lives <= KnockOut, else standing.
[[nodiscard]] TRowState RowStateOf(const TObjekt& record);

// The colours the platform gives a list: its window and text, and its
// selection. As in the system's list boxes the selection keeps its colours
// while the list has no focus; the focus shows as the focus rectangle.
struct TListColours
{
    TColor Base = 0xFFFFFF;
    TColor Text = 0x000000;
    TColor Highlight = 0x800000;
    TColor HighlightedText = 0xFFFFFF;
};

struct TRowColours
{
    TColor Text = 0;
    TColor Background = 0;
    friend bool operator==(const TRowColours&, const TRowColours&) = default;
};

// The colours of a row. Unselected rows lie on the list's window colour in
// the record's state colour: the list's text, red for the dead, light grey for
// the knocked out. A selected row keeps the selection's text colour and shows
// its state in the background: the selection for the standing, red for the
// dead, light grey for the knocked out.
// Whatever does not reach the floor moves to the nearest colour that does
// (NearestReaching): the text of an unselected row (kMinimumContrast), the
// background of a selected one (kSelectedContrast).
[[nodiscard]] TRowColours RowColours(TRowState state, bool selected, const TListColours& list);

// Every row's colours at once, indexed [state][selected].
using TRowColourTable = std::array<std::array<TRowColours, 2>, 3>;
[[nodiscard]] TRowColourTable MakeRowColourTable(const TListColours& list);

// The mark in front of the lives column that tells the state without colour:
// "†" for the dead, "K.O." for the knocked out, nothing for the standing.
[[nodiscard]] std::string_view StateMark(TRowState state);
// A column's text as the roster draws it: the record's own column text, with
// the state's mark and a space in front of the lives (column 1).
[[nodiscard]] std::string ShownColumnText(const TObjekt& record, int column);

} // namespace mecovnik
