#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>
#include <string>

namespace mecovnik {

// The players' view served on the local network, as the program sees it.
// Destroying it stops serving and closes every connection.
class TPlayerViewSharing
{
public:
    virtual ~TPlayerViewSharing() = default;

    // Listens on every address of the computer at port (0: any free one).
    // False, listening nowhere, with the reason in Czech (a sentence without
    // its full stop) when the port cannot be had.
    virtual bool Listen(quint16 port, QString& failure) = 0;
    [[nodiscard]] virtual quint16 Port() const = 0;

    // The view has changed: every viewer following it gets json.
    virtual void Publish(const std::string& json) = 0;
};

// What needs Qt's network support and the QR code library lives in a module
// of its own, loaded only when the view is first shared or a QR code is first
// wanted, so that a start with sharing off never loads them.
class TShareModule
{
public:
    virtual ~TShareModule() = default;

    // A server of page (the page's bytes) to whoever holds token, showing
    // json until told otherwise; it listens once Listen is called.
    [[nodiscard]] virtual std::unique_ptr<TPlayerViewSharing>
    MakeServer(QByteArray page, std::string token, const std::string& json) = 0;

    // The address of this computer that the players' phones can reach
    // (PickLinkAddress over the computer's interfaces as they are now).
    [[nodiscard]] virtual QString LinkAddress() = 0;

    // The QR code of text as QrCodeImage makes it (one pixel a module, the
    // quiet zone around it); a null image when text cannot be coded.
    [[nodiscard]] virtual QImage QrCode(const QString& text) = 0;
};

// The module's one entry point, by its name: makes a TShareModule the caller
// owns.
using TMakeShareModule = TShareModule*();
inline constexpr char kMakeShareModuleSymbol[] = "mecovnik_make_share_module";

// The module's file name; the program looks for it beside its own file.
[[nodiscard]] QString ShareModuleFileName();

// Loads the module at path and makes its object; nullptr, with the reason
// logged and put in reason, when it cannot.
[[nodiscard]] std::unique_ptr<TShareModule> LoadShareModule(const QString& path, QString& reason);

} // namespace mecovnik
