// A start that fails says what failed and ends the program with a failing
// exit code, instead of ending in silence.
#include "AnswerMessageBox.h"
#include "ConfigApp.h"
#include "Dialog.h"

#include <gtest/gtest.h>

#include <thread>

// The application object, which the program's Main.cpp defines: here the
// test's own, for the dialogs that this process runs.
CConfigApp theApp;

namespace {

TEST(StartFailure, DialogThatCannotBeCreatedIsReportedWithAFailingExitCode)
{
    EXPECT_EQ(theApp.ExitInstance(), 0);
    CDialog missing(0x7F00); // no such template
    std::string shown;
    std::thread reader([&shown] { shown = answerMessageBox("Pelmora Config"); });
    theApp.RunMainDialog(missing);
    reader.join();

    EXPECT_NE(shown.find("configuration dialog could not be created"), std::string::npos) << shown;
    EXPECT_NE(theApp.ExitInstance(), 0);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

} // namespace
