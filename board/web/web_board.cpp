#include "board/web/web_board.h"

#include "board/place_events.h"
#include "services/file_loading.h"
#include "services/wave_check.h"
#include "windows/help_content.h"

namespace quarrow {

WebBoard::WebBoard(RandomSource& random, std::string programDir)
    : random_(random)
    , program_dir_(std::move(programDir))
    , notices_(*this)
    , game_(std::make_unique<Game>(random_, notices_))
    , keeper_(game_->model())
{
}

void WebBoard::Load()
{
    game_->snd_path = program_dir_ + "/SOUND/";
    LoadWholeFile(game_->snd_path + "APPLAUS.WAV", game_->snd_applause);
    LoadWholeFile(game_->snd_path + "CLUCK.WAV", game_->snd_cluck);
}

void WebBoard::Follow(const FocusOutcome& outcome)
{
    announce_ = announce_ || outcome.announce;
    if (outcome.activate.kind != FocusPlace::Kind::None)
        Run(outcome.activate);
}

// A game event, then the focus follows the board it left behind.
void WebBoard::Run(FocusPlace place)
{
    RaiseClick(*game_, place);
    announce_ = keeper_.Follow(game_->model()).announce || announce_;
}

void WebBoard::Deal()
{
    if (notice_open_)
        return;
    announce_ = false;
    game_->InitNewGame();
    keeper_.Follow(game_->model());
    announce_ = keeper_.Dealt(game_->model()).announce;
}

void WebBoard::Exit()
{
    // A fresh game keeps the sounds the page already gave this one.
    auto fresh = std::make_unique<Game>(random_, notices_);
    fresh->snd_path = game_->snd_path;
    fresh->snd_applause = std::move(game_->snd_applause);
    fresh->snd_cluck = std::move(game_->snd_cluck);
    game_ = std::move(fresh);
    keeper_ = FocusKeeper(game_->model());
    notice_open_ = false;
    announce_ = false;
}

// Nothing on the board acts behind an open notice: the page's modal dialog
// sees to that, and the board does not count on it.
void WebBoard::Pressed(FocusPlace place)
{
    if (notice_open_)
        return;
    announce_ = false;
    Follow(keeper_.Clicked(place));
}

void WebBoard::Clicked(FocusPlace place)
{
    if (notice_open_)
        return;
    announce_ = false;
    Run(place);
}

void WebBoard::Key(BoardKey key)
{
    if (notice_open_)
        return;
    announce_ = false;
    Follow(keeper_.Key(key));
}

void WebBoard::Activate(FocusPlace place)
{
    if (notice_open_)
        return;
    announce_ = false;
    Follow(keeper_.Activate(place));
}

void WebBoard::CloseNotice()
{
    if (!notice_open_)
        return;
    notice_open_ = false;
    game_->move_error = false;
}

bool WebBoard::Playable(const std::string& image) const
{
    return !image.empty() && WaveChunksFit(image);
}

std::u16string WebBoard::HelpText(Int16 helpTopic) const
{
    return quarrow::HelpText(program_dir_, ViewForTopic(helpTopic), u"\n");
}

} // namespace quarrow
