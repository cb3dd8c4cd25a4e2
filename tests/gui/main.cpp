// The shell's widget tests need one QApplication for the whole program, on
// Qt's offscreen platform unless another one is asked for.
#include <QApplication>

#include <gtest/gtest.h>

#include "corvane/WaveMemory.h"

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ObligateMemSpace();
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    FreeMemSpace();
    return status;
}
