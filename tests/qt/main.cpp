// The Qt tests need the application object before any widget exists. They run on
// the offscreen platform, also when listed at build time without the test's
// environment, with one screen of the smallest size the forms are made for.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (const QByteArray platform = qgetenv("QT_QPA_PLATFORM"); platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KVN_TEST_SCREEN);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
