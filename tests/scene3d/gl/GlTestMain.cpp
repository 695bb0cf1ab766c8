// Runs the OpenGL device tests in a QGuiApplication on a real display (xcb; CTest starts
// them under Xvfb), with the driver registered as the program registers it.

#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    qunsetenv("BOARDWRIGHT_DEVICE");
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
