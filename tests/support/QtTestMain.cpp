// The main of the test programs that need a Qt application object. Which one
// (QV_TEST_APP: 0 core, 1 gui, 2 widgets), whether the link's waits pump its
// events (QV_TEST_EVENT_PUMP) and whether the wave memory is reserved for the
// whole run (QV_TEST_WAVE_MEMORY) are set per program by tests/CMakeLists.txt.
// Painting programs run on Qt's offscreen platform unless another is asked for.
#include <QCoreApplication>
#if QV_TEST_APP >= 2
#include <QApplication>
using TestApplication = QApplication;
#elif QV_TEST_APP == 1
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
using TestApplication = QCoreApplication;
#endif

#include <gtest/gtest.h>

#if QV_TEST_EVENT_PUMP
#include "corvane/UiHelpers.h"
#endif
#if QV_TEST_WAVE_MEMORY
#include "corvane/WaveMemory.h"
#endif

int main(int argc, char** argv)
{
    if (QV_TEST_APP > 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
#if QV_TEST_EVENT_PUMP
    SetDoEventPump([] { QCoreApplication::processEvents(); });
#endif
#if QV_TEST_WAVE_MEMORY
    ObligateMemSpace();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
#if QV_TEST_WAVE_MEMORY
    FreeMemSpace();
#endif
    return status;
}
