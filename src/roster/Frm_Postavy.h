#pragma once

#include "roster/Frm_Objekt.h"

namespace mecovnik {

// The roster of the player characters.
class TPostavyWindow final : public TObjektWindow
{
    Q_OBJECT

public:
    explicit TPostavyWindow(QWidget* parent = nullptr);
    ~TPostavyWindow() override;
    Q_DISABLE_COPY_MOVE(TPostavyWindow)
};

} // namespace mecovnik
