#pragma once

#include <string>
#include <string_view>

#include "services/plane.h"

namespace quarrow {

class Game;

// The result notice, whatever draws it: which face it shows, what it says to
// a screen reader, what it plays and where its parts sit.

enum class NoticeFace { FullFan, InvalidMove, Win };

// The face for the game's flags as they stand when the notice becomes active.
NoticeFace FaceFor(const Game& game);

// "Only 3 cards per pile", and so on: the words each picture shows.
std::string_view NoticeWords(NoticeFace face);

// The cluck for a refused move, the applause for the win.
const std::string& NoticeSound(const Game& game, NoticeFace face);

// The design rectangle of the client area, (0, 0)-(406, 206), edges inclusive.
inline constexpr int kNoticeRight = 406;
inline constexpr int kNoticeBottom = 206;
inline constexpr Rect kNoticeOkRect {243, 160, 121, 25};
// The invalid-move picture over the full-fan background, and the win picture over both.
inline constexpr Point kNoticeErrorTopLeft {1, 1};
inline constexpr Point kNoticeWinTopLeft {0, 0};

} // namespace quarrow
