#include "windows/notice.h"

#include "rules/game.h"

namespace quarrow {

NoticeFace FaceFor(const Game& game)
{
    if (game.game_won)
        return NoticeFace::Win;
    return game.move_error ? NoticeFace::InvalidMove : NoticeFace::FullFan;
}

std::string_view NoticeWords(NoticeFace face)
{
    switch (face) {
    case NoticeFace::FullFan:
        return "Only 3 cards per pile";
    case NoticeFace::InvalidMove:
        return "Invalid move: the card must be one above or below in value";
    case NoticeFace::Win:
        return "Well done!";
    }
    return {};
}

const std::string& NoticeSound(const Game& game, NoticeFace face)
{
    return face == NoticeFace::Win ? game.snd_applause : game.snd_cluck;
}

} // namespace quarrow
