// The settings tests run with a QCoreApplication: the link posts message 1128
// and the timers tick through its event loop, as in the program.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include "corvane/UiHelpers.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SetDoEventPump([] { QCoreApplication::processEvents(); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
