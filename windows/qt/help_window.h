#pragma once

#include <QString>

#include "services/qt/activating_dialog.h"
#include "windows/help_content.h"

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quarrow {

class Game;
class PointingHand;

// frm_help: the rules or the about text beside a picture, chosen by
// game.help_topic each time the window becomes active. The window only reads
// help_topic; its own buttons switch the view for the moment.
class HelpWindow final : public ActivatingDialog {
    Q_OBJECT

public:
    HelpWindow(Game& game, const QString& programDir, QWidget* parent = nullptr);

    static constexpr int kClientWidth = kHelpClientSize.width();
    static constexpr int kClientHeight = kHelpClientSize.height();
    static inline const QString kWebHost = QString::fromUtf8(quarrow::kWebHost.data(), quarrow::kWebHost.size());

    // btn_help: 0 "Rules", 5 "About", 4 "OK".
    enum ButtonIndex { kRules = 0, kOk = 4, kAbout = 5 };

    void btn_help_Click(int index);

protected:
    void Form_Activate() override;

private:
    void ShowRulesView();
    void ShowAboutView();
    void DisplayHelp(HelpView view);
    void lbl_url_DragDrop();

    Game& game_;
    QString programDir_;

    QPlainTextEdit* txt_help = nullptr;
    QPushButton* btn_rules_ = nullptr;
    QPushButton* btn_ok_ = nullptr;
    QPushButton* btn_about_ = nullptr;
    QButtonGroup* btn_help = nullptr;
    QLabel* img_help2 = nullptr;
    QLabel* img_logo = nullptr;
    QLabel* lbl_url = nullptr;
    PointingHand* url_hand_ = nullptr;
};

} // namespace quarrow
