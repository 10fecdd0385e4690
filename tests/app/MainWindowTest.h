#pragma once

#include "app/MainDlg.h"
#include "canvas/CanvasWnd.h"

#include "canvas/QtApp.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class CPicture;

// The main window shown and exposed, its welcome picture gone, with a
// scratch folder for the files a test writes. A fixture that derives from it
// calls this SetUp first and stops when it failed (HasFatalFailure).
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dir.isValid());
        dlg = std::make_unique<CMainDlg>();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        Canvas().DismissWelcome();
    }

    CCanvasWnd& Canvas() const { return *dlg->GetCanvas(); }
    CPicture& Picture() const { return *dlg->GetPicture(); }

    QTemporaryDir dir;
    std::unique_ptr<CMainDlg> dlg;
};
