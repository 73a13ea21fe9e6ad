// The Qt tests run in one application object, offscreen unless the environment says otherwise,
// so that they need no display (test discovery at build time included).
#include <QApplication>
#include <gtest/gtest.h>

#include "dialog/qt/QtLayer.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ostrel::qt::InitializeQtLayer();
    return RUN_ALL_TESTS();
}
