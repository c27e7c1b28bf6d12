#pragma once

#include "persistence/TFormPlacement.h"

class QWidget;

namespace mecovnik {

// Moves a stored placement into a form: a maximised state maximises without
// touching the bounds; otherwise stored bounds are applied in one call, kept
// within what the screens can show (FitBoundsToScreens); a minimised state is
// never applied.
void ApplyFormPlacement(const TFormPlacement& placement, QWidget& form);

// Takes the form's outer bounds and window state into a placement.
void CaptureFormPlacement(TFormPlacement& placement, const QWidget& form);

} // namespace mecovnik
