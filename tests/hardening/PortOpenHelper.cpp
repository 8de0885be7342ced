// Starts one dial on COM1 (TARVOK_COM1 names the device) as whatever user it runs as, so
// that a test can try a port without root's privileges. Exit 0 when the port opened and
// the command line went out, 1 when the dial failed at once.
#include "ModemSession.h"
#include "QtSerialPort.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tarvok::QtSerialPort port;
    tarvok::ModemSession session(port);
    return session.start(1, QByteArrayLiteral("AT\r")) ? 0 : 1;
}
