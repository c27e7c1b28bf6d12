#!/bin/sh
# The program file loads none of what only its modules need: Qt's print
# support, Qt's network and web server, WebSockets, the QR code library and
# the Kerberos, proxy and resolver libraries Qt's network pulls in. They load
# with the print and sharing modules, when first used; each module beside the
# program finds every library it needs.
# usage: libraries.sh <program>
set -u
program=$1
dir=$(dirname "$program")
status=0
libs=$(ldd "$program") || { echo "ldd failed on $program"; exit 1; }
for lib in libQt6PrintSupport libQt6Network libQt6HttpServer libQt6WebSockets libqrencode \
    libgssapi_krb5 libkrb5 libproxy libresolv; do
    if echo "$libs" | grep -q "$lib\\."; then
        echo "$program loads $lib at start"
        status=1
    fi
done
for module in libmecovnik_print.so libmecovnik_share.so; do
    [ -f "$dir/$module" ] || { echo "$module is not beside the program"; status=1; continue; }
    if ldd "$dir/$module" | grep "not found"; then
        echo "$module lacks the above"
        status=1
    fi
done
ldd "$dir/libmecovnik_share.so" | grep -q "libQt6HttpServer\\." ||
    { echo "the sharing module does not name Qt's web server"; status=1; }
[ "$status" -eq 0 ] && echo "the program loads no module's libraries; its modules find theirs"
exit "$status"
