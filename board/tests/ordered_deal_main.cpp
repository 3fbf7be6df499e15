// The program as it ships, but dealing the ordered deal (card i to slot i,
// then the kings lowered) every time, so an end-to-end test can play the
// winning script of ordered_deal_script.h with real X key events. Built for
// the tests only; the shipped program has no way to choose its deal.
#include <QApplication>

#include "board/qt/board_window.h"
#include "rules/testing/stacked_deck.h"
#include "services/sound.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(quarrow::BoardWindow::kTitle);
    quarrow::testing::ScriptedRandom ordered; // every draw 0: the deck stays 1..52
    quarrow::BoardWindow window(QCoreApplication::applicationDirPath(), ordered, quarrow::DefaultSoundPlayer());
    if (!window.Form_Load().isEmpty())
        return 1;
    window.show();
    return app.exec();
}
