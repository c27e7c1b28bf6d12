#pragma once

#include "roster/Frm_Objekt.h"

namespace mecovnik {

// The roster of the monsters.
class TNestvuryWindow final : public TObjektWindow
{
    Q_OBJECT

public:
    explicit TNestvuryWindow(QWidget* parent = nullptr);
    ~TNestvuryWindow() override;
    Q_DISABLE_COPY_MOVE(TNestvuryWindow)
};

} // namespace mecovnik
