// The board as the page's script sees it: one game per page, events in as
// numbers, views out as UTF-8 text the script splits. Plain C exports keep
// the module and its loader small (no embind, no streams).

#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board/board_geometry.h"
#include "board/web/page_view.h"
#include "board/web/page_random.h"
#include "board/web/web_board.h"
#include "services/file_trouble.h"
#include "services/text_file.h"
#include "windows/example_view.h"
#include "windows/help_content.h"
#include "windows/notice.h"

namespace quarrow {

namespace {

// The page writes the files it fetched here before the game starts.
constexpr const char* kProgramDir = "/site";

std::unique_ptr<WebBoard> board;
std::string reply; // what the last call returned, until the next one
std::vector<PlaceView> drawn; // the places as the page last drew them
BoardModel drawn_model;       // and the board they were drawn from

const char* Reply(std::string text)
{
    reply = std::move(text);
    return reply.c_str();
}

FocusPlace PlaceOf(int kind, int index)
{
    return {static_cast<FocusPlace::Kind>(kind), index};
}

std::string RectText(const Rect& r)
{
    return std::to_string(r.x()) + " " + std::to_string(r.y()) + " " + std::to_string(r.width()) + " "
        + std::to_string(r.height());
}

std::string Utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Line(const std::string& name, const Rect& rect)
{
    return name + " " + RectText(rect) + "\n";
}

} // namespace

} // namespace quarrow

using namespace quarrow;

extern "C" {

EMSCRIPTEN_KEEPALIVE void start()
{
    board = std::make_unique<WebBoard>(PageRandomSource(), kProgramDir);
    drawn.clear();
    board->Load();
}

// One line per place that changed since the last call (every place on the
// first), back to front: key, kind, index, rect, face, shown, enabled,
// readable, selected, name, description, separated by tabs. A click changes
// a few places; sending only those keeps it well under a frame.
EMSCRIPTEN_KEEPALIVE const char* view()
{
    // A press that only moves the focus leaves the board as it was.
    if (!drawn.empty() && board->model() == drawn_model)
        return Reply({});
    drawn_model = board->model();
    std::string text;
    std::vector<PlaceView> views = BoardView(board->model());
    for (std::size_t i = 0; i < views.size(); ++i) {
        const PlaceView& v = views[i];
        if (i < drawn.size() && drawn[i] == v)
            continue;
        text += PlaceKey(v.place) + '\t' + std::to_string(static_cast<int>(v.place.kind)) + '\t'
            + std::to_string(v.place.index) + '\t' + RectText(v.rect) + '\t' + std::to_string(v.face) + '\t'
            + (v.shown ? "1" : "0") + '\t' + (v.enabled ? "1" : "0") + '\t' + (v.readable ? "1" : "0") + '\t'
            + (v.selected ? "1" : "0") + '\t' + v.name + '\t' + v.description + '\n';
    }
    drawn = std::move(views);
    return Reply(std::move(text));
}

// The focused place's key, the mark's rectangle (empty when not drawn),
// whether a screen reader should hear of the move, and the mark's picture.
EMSCRIPTEN_KEEPALIVE const char* focus()
{
    const Rect mark = FocusMarkRect(board->keys());
    return Reply(PlaceKey(board->keys().current()) + '\t' + (mark.isEmpty() ? std::string() : RectText(mark))
                 + '\t' + (board->announce() ? "1" : "0") + '\t' + FocusMarkSvg(mark));
}

// The sounds arrive after the board is live; the page writes them into the
// program's folder and has them read as the load would have read them.
EMSCRIPTEN_KEEPALIVE void load_sounds() { board->Load(); }

EMSCRIPTEN_KEEPALIVE void deal() { board->Deal(); }
EMSCRIPTEN_KEEPALIVE void exit_game() { board->Exit(); }
EMSCRIPTEN_KEEPALIVE void pressed(int kind, int index) { board->Pressed(PlaceOf(kind, index)); }
EMSCRIPTEN_KEEPALIVE void clicked(int kind, int index) { board->Clicked(PlaceOf(kind, index)); }
EMSCRIPTEN_KEEPALIVE void key(int code) { board->Key(static_cast<BoardKey>(code)); }
EMSCRIPTEN_KEEPALIVE int tab_leaves(int code) { return TabLeavesBoard(board->keys(), static_cast<BoardKey>(code)); }
EMSCRIPTEN_KEEPALIVE void activate(int kind, int index) { board->Activate(PlaceOf(kind, index)); }
EMSCRIPTEN_KEEPALIVE void close_notice() { board->CloseNotice(); }
EMSCRIPTEN_KEEPALIVE int notice_open() { return board->noticeOpen(); }
EMSCRIPTEN_KEEPALIVE int notice_face() { return static_cast<int>(board->noticeFace()); }

EMSCRIPTEN_KEEPALIVE const char* notice_words(int face)
{
    return Reply(std::string(NoticeWords(static_cast<NoticeFace>(face))));
}

// "cluck" or "applause" for the notice now open, or nothing for silence.
EMSCRIPTEN_KEEPALIVE const char* notice_sound()
{
    const std::string& image = board->noticeSound();
    if (!board->Playable(image))
        return Reply({});
    return Reply(&image == &board->game().snd_applause ? "applause" : "cluck");
}

EMSCRIPTEN_KEEPALIVE int sound_playable(int applause)
{
    return board->Playable(applause ? board->game().snd_applause : board->game().snd_cluck);
}

EMSCRIPTEN_KEEPALIVE void set_help_topic(int topic) { board->game().help_topic = static_cast<Int16>(topic); }
EMSCRIPTEN_KEEPALIVE int help_topic() { return board->game().help_topic; }

// The file the view of this topic reads, fetched by the page at each showing;
// empty for a topic with no view.
EMSCRIPTEN_KEEPALIVE const char* help_file(int topic)
{
    switch (ViewForTopic(static_cast<Int16>(topic))) {
    case HelpView::Rules: return Reply(std::string(kRulesFile));
    case HelpView::About: return Reply(std::string(kAboutFile));
    case HelpView::None: break;
    }
    return Reply({});
}

// No help text is read past this many bytes, so the page need not fetch more.
EMSCRIPTEN_KEEPALIVE double text_file_limit() { return static_cast<double>(kTextFileLimit); }

EMSCRIPTEN_KEEPALIVE const char* help_text(int topic)
{
    return Reply(Utf8(board->HelpText(static_cast<Int16>(topic))));
}

// The viewer for a picture pictureHeight high (0 before it arrives), one
// "name numbers" a line: frame, inside and bar rectangles, whether the bar
// shows, and the range as min, max, small change, large change, span.
EMSCRIPTEN_KEEPALIVE const char* example_layout(int pictureHeight)
{
    const ExampleLayout l = LayOutExample(pictureHeight);
    const ScrollRange& r = l.range;
    return Reply(Line("frame", l.frame) + Line("inside", l.inside) + Line("bar", l.bar) + "barShown "
                 + (l.bar_shown ? "1" : "0") + "\nrange " + std::to_string(r.min) + " " + std::to_string(r.max) + " "
                 + std::to_string(r.small_change) + " " + std::to_string(r.large_change) + " "
                 + std::to_string(r.Span()) + "\n");
}

// The page's bar counts 0..span like a native one: where a key or a press on
// an arrow or the track takes it, and the picture's top for a position.
EMSCRIPTEN_KEEPALIVE int example_step(int pictureHeight, int barValue, int step)
{
    const ScrollRange r = LayOutExample(pictureHeight).range;
    return r.ToBar(ScrollBy(r, r.FromBar(barValue), static_cast<ScrollStep>(step)));
}

EMSCRIPTEN_KEEPALIVE int example_top(int pictureHeight, int barValue)
{
    return LayOutExample(pictureHeight).range.FromBar(barValue);
}

// The sizes and places of the dialogs and their words, one "name value" a line.
EMSCRIPTEN_KEEPALIVE const char* layout()
{
    return Reply(Line("board", {{0, 0}, kBoardPictureSize})
                 + Line("notice", {0, 0, kNoticeRight + 1, kNoticeBottom + 1}) + Line("noticeOk", kNoticeOkRect)
                 + Line("noticeError", {kNoticeErrorTopLeft, {0, 0}}) + Line("noticeWin", {kNoticeWinTopLeft, {0, 0}})
                 + Line("help", {{0, 0}, kHelpClientSize}) + Line("helpText", kHelpTextRect)
                 + Line("helpRules", kHelpRulesButton) + Line("helpAbout", kHelpAboutButton)
                 + Line("helpOk", kHelpOkButton) + Line("helpLeaves", kHelpLeavesPicture)
                 + Line("helpLogo", kHelpLogoPicture) + Line("helpLink", kHelpLinkRect)
                 + Line("example", {0, 0, kExampleClientWidth, kExampleClientHeight}));
}

// The example's message: the picture never arrived, or arrived as no picture
// the browser could read.
EMSCRIPTEN_KEEPALIVE const char* example_unavailable(int arrived)
{
    return Reply(ExampleUnavailable(kExamplePicture, arrived ? NotAPicture("the browser could not decode it")
                                                             : std::string(WhyUnreadable(FileTrouble::Missing))));
}

// The numbers of the enums the page passes in and reads back, one "name
// value" a line, so reordering an enum cannot silently break the page.
EMSCRIPTEN_KEEPALIVE const char* numbers()
{
    using Kind = FocusPlace::Kind;
    const std::pair<const char*, int> named[] = {
        {"kind.None", static_cast<int>(Kind::None)},
        {"kind.Foundation", static_cast<int>(Kind::Foundation)},
        {"kind.Slot", static_cast<int>(Kind::Slot)},
        {"kind.Frame", static_cast<int>(Kind::Frame)},
        {"kind.Undo", static_cast<int>(Kind::Undo)},
        {"key.Left", static_cast<int>(BoardKey::Left)},
        {"key.Right", static_cast<int>(BoardKey::Right)},
        {"key.Up", static_cast<int>(BoardKey::Up)},
        {"key.Down", static_cast<int>(BoardKey::Down)},
        {"key.Next", static_cast<int>(BoardKey::Next)},
        {"key.Previous", static_cast<int>(BoardKey::Previous)},
        {"key.Activate", static_cast<int>(BoardKey::Activate)},
        {"face.FullFan", static_cast<int>(NoticeFace::FullFan)},
        {"face.InvalidMove", static_cast<int>(NoticeFace::InvalidMove)},
        {"face.Win", static_cast<int>(NoticeFace::Win)},
        {"step.LineUp", static_cast<int>(ScrollStep::LineUp)},
        {"step.LineDown", static_cast<int>(ScrollStep::LineDown)},
        {"step.PageUp", static_cast<int>(ScrollStep::PageUp)},
        {"step.PageDown", static_cast<int>(ScrollStep::PageDown)},
        {"step.Top", static_cast<int>(ScrollStep::Top)},
        {"step.Bottom", static_cast<int>(ScrollStep::Bottom)},
    };
    std::string text;
    for (const auto& [name, value] : named)
        text += std::string(name) + " " + std::to_string(value) + "\n";
    return Reply(std::move(text));
}

// The texts the page shows: help title, example title, example picture,
// web host, web address, link failure; one a line.
EMSCRIPTEN_KEEPALIVE const char* words()
{
    return Reply(std::string(kHelpTitle) + "\n" + std::string(kExampleTitle) + "\n" + std::string(kExamplePicture)
                 + "\n" + std::string(kWebHost) + "\n" + WebAddress() + "\n" + std::string(kLinkFailed) + "\n");
}

} // extern "C"
