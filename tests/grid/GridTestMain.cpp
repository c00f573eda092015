#include <QApplication>

#include <gtest/gtest.h>

// Widgets need an application object; the grid's tests share one. Test
// discovery runs this binary without the test environment, so it falls back
// to the offscreen platform itself.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
