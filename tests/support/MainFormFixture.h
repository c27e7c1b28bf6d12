#pragma once

#include "app/Frm_Main.h"

#include <memory>

namespace mecovnik {
class THelpSystem;
class TNastaveni;
} // namespace mecovnik

namespace mecovnik::test {

// Services for a main window under test: no single-instance check, an accepted
// system (NT 4.0), the given help system, a fake random generator, a program
// file in /opt/hra.
[[nodiscard]] TMainFormServices TestServices(THelpSystem* help);

// The program's start: the main window, both rosters, shown, the deferred
// start-up steps run. Fails the whole test run when the window never shows.
[[nodiscard]] std::unique_ptr<TMainForm> StartMainForm(TNastaveni& nastaveni,
                                                       TMainFormServices services);

} // namespace mecovnik::test
