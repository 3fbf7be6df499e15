// The yardstick for the start-up benchmark: a plain Qt window of the board's
// shape (the same menus, one 704 x 454 picture) with no game behind it.
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));

    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Deal"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), &app, &QCoreApplication::quit);
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Rules"));
    help->addSeparator();
    help->addAction(QStringLiteral("&Example"));
    help->addSeparator();
    help->addAction(QStringLiteral("&About"));

    auto* picture = new QLabel;
    picture->setPixmap(QPixmap(QStringLiteral(":/assets/board.gif")));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setFixedSize(705, 455);
    window.setCentralWidget(picture);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return app.exec();
}
