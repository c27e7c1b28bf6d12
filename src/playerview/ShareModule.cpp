// The sharing module (libmecovnik_share.so): the players' view's web server,
// the link's address and its QR code, built apart from the program, which
// loads it through LoadShareModule.

#include "playerview/LinkAddress.h"
#include "playerview/QrCode.h"
#include "playerview/TPlayerViewServer.h"
#include "playerview/TShareModule.h"

#include <type_traits>

namespace mecovnik {

namespace {

class TQtShareModule final : public TShareModule
{
public:
    std::unique_ptr<TPlayerViewSharing> MakeServer(QByteArray page, std::string token,
                                                   const std::string& json) override
    {
        return std::make_unique<TPlayerViewServer>(std::move(page), std::move(token), json);
    }

    QString LinkAddress() override { return mecovnik::LinkAddress(); }

    QImage QrCode(const QString& text) override { return QrCodeImage(text); }
};

} // namespace

} // namespace mecovnik

extern "C" Q_DECL_EXPORT mecovnik::TShareModule* mecovnik_make_share_module()
{
    return new mecovnik::TQtShareModule;
}

static_assert(std::is_same_v<decltype(mecovnik_make_share_module), mecovnik::TMakeShareModule>);
