// GoogleTest entry point for tests that need a QApplication (widgets offscreen).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Widget tests must not make noise on the developer's speakers.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quarrow Solitaire"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
