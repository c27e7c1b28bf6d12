#pragma once

#include "platform/THelpSystem.h"

#include <QList>

namespace mecovnik::test {

// Records every help command instead of showing help.
class TFakeHelpSystem final : public THelpSystem
{
public:
    struct TCall
    {
        QString File;
        int Command = 0;
        int Data = 0;
        friend bool operator==(const TCall&, const TCall&) = default;
    };

    bool Execute(const QString& helpFile, int command, int data) override
    {
        Calls.append({helpFile, command, data});
        return true;
    }

    QList<TCall> Calls;
};

} // namespace mecovnik::test
