// main() of every test executable: a headless QApplication, the DejaVu Sans font
// registered so text metrics are the same on every machine, and the UI services
// replaced by a recorder so that no dialog ever blocks a test.
#include "TestSupport.h"
#include "support/RecordingUIServices.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    LoadTestFont();
    // Messages of tests that install no recorder of their own are recorded here.
    static TRecordingUIServices ui;
    SetUIServices(&ui);
    return RUN_ALL_TESTS();
}
