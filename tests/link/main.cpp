// The link tests run with a QCoreApplication, so that posted events, timers
// and the session's waits behave as in the program.
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
