#pragma once

#include "TDialogAnswerer.h"
#include "app/Frm_Main.h"

#include <memory>

namespace mecovnik {
class THelpSystem;
class TNameOrder;
class TNastaveni;
class TResourceSource;
} // namespace mecovnik

namespace mecovnik::test {

// The platform's adapters as the program makes them, one each for the whole
// test run: the user's collation and the program's own resources.
[[nodiscard]] const TNameOrder& ProgramNameOrder();
[[nodiscard]] const TResourceSource& ProgramResources();

// Services for a main window under test: no single-instance check, an accepted
// system (NT 4.0), the given help system, a fake random generator, a program
// file in /opt/hra, the program's name order and resources.
[[nodiscard]] TMainFormServices TestServices(THelpSystem* help);

// The program's start: the main window, both rosters, shown, the deferred
// start-up steps run. Fails the whole test run when the window never shows.
[[nodiscard]] std::unique_ptr<TMainForm> StartMainForm(TNastaveni& nastaveni,
                                                       TMainFormServices services);

// Fills "Nová postava" or "Nová nestvůra" with a name and presses OK, as a
// user does; for TDialogAnswerer::Next.
[[nodiscard]] TDialogAnswerer::TFill NewCharacterFill(const QString& name);
[[nodiscard]] TDialogAnswerer::TFill NewMonsterFill(const QString& name);

} // namespace mecovnik::test
