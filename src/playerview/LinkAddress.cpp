#include "playerview/LinkAddress.h"

#include "components/QtText.h"
#include "playerview/PlayerAccess.h"

#include <QNetworkInterface>

#include <vector>

namespace mecovnik {

QString LinkAddress()
{
    std::vector<TInterfaceAddress> addresses;
    for (const QNetworkInterface& face : QNetworkInterface::allInterfaces()) {
        const auto flags = face.flags();
        const bool up =
            flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning);
        const bool loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry& entry : face.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol)
                addresses.push_back({ToStdString(ip.toString()), up, loopback});
        }
    }
    return ToQString(PickLinkAddress(addresses));
}

} // namespace mecovnik
