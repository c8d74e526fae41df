// The terminal trusting the test exchange's certificate, for running it
// against the exchange's TLS mode (tavrix_test_exchange --tls --cert FILE):
//
//   tavrix_tls_terminal CERTIFICATE.pem [Qt options]

#include "domain/uHttpTls.h"
#include "terminal/uStartUp.h"

#include <QApplication>
#include <cstdio>

int main(int aCount, char** aArgs)
{
    QApplication App(aCount, aArgs);
    const QStringList Args = QApplication::arguments();
    if (Args.size() != 2) {
        std::fprintf(stderr, "usage: %s CERTIFICATE.pem\n", aArgs[0]);
        return 2;
    }
    HttpTrustFileForTests(Args[1].toStdString());
    return RunTavrix();
}
