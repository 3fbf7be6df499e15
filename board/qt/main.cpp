#include <cstdio>

#include <QApplication>

#include "board/qt/board_window.h"
#include "services/qt/message_box.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(quarrow::BoardWindow::kTitle);
    // Wayland desktops find a window's icon, and group its windows, through
    // the desktop entry its application names (the app_id).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quarrowgames.Solitaire"));

    quarrow::BoardWindow window(QCoreApplication::applicationDirPath());
    const QString error = window.Form_Load();
    if (!error.isEmpty()) {
        // The program cannot run without its files; say which one and stop.
        // Without a screen (offscreen runs, scripted checks) nobody could
        // answer a message box, so standard error has to do.
        std::fprintf(stderr, "%s\n", qPrintable(error));
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            quarrow::ShowMessageBox(nullptr, error);
        return 1;
    }
    window.show();
    return app.exec();
}
