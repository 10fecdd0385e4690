#pragma once

#include <QApplication>

// Widget tests need one QApplication for the whole test program. It is made
// on first use and deliberately never destroyed: at exit Qt's own static
// objects (the simulated input devices among them) may already be gone, and
// tearing the application down after them would crash.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "kolvane_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
        return new QApplication(argc, argv);
    }();
    return *app;
}
