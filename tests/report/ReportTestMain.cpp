#include "ReportFixture.h"

#include <QApplication>

#include <gtest/gtest.h>

// The preview and the fonts need an application object; every report test
// shares one, with the formats and the clock pinned.
int main(int argc, char** argv)
{
    // Test discovery runs this without the test environment; never try a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qelvan::report::test::pinEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
