#pragma once

#include <QApplication>

// Widget tests need one QApplication for the whole test program.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "kolvane_tests";
    static char* argv[] = {name, nullptr};
    static const bool prepared = [] {
        QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
        return true;
    }();
    static QApplication app(argc, argv);
    (void)prepared;
    return app;
}
