#include "platform/CoreDumps.h"
#include "terminal/uStartUp.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    // The keys are held in clear: no crash may leave them in a core file.
    if (!DisableCoreDumps())
        std::fputs("Tavrix: core dumps could not be turned off\n", stderr);
    QApplication App(argc, argv);
    return RunTavrix();
}
