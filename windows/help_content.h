#pragma once

#include <string>
#include <string_view>

#include "rules/card.h"
#include "services/plane.h"

namespace quarrow {

// The help window, whatever draws it: its texts, its link and where its
// parts sit, in pixels of its 441 x 305 client area.

inline constexpr std::string_view kHelpTitle = "Quarrow Solitaire - Help";
inline constexpr std::string_view kRulesFile = "rules.txt";
inline constexpr std::string_view kAboutFile = "tvk.txt";
// The maker's web host: what the link shows, and where it leads with http.
inline constexpr std::string_view kWebHost = "www.quarrow-games.example";
inline constexpr std::string_view kLinkFailed = "oops, unable to link you there";
// What a screen reader calls the text box, whichever text it shows.
inline constexpr std::string_view kHelpTextName = "Help text";

std::string WebAddress();

// help_topic 0 is the rules, 1 the about text; any other topic shows neither.
enum class HelpView { None, Rules, About };
HelpView ViewForTopic(Int16 help_topic);

// The view's text from the program's folder, decoded from Windows-1252 with
// every line end made lineBreak; empty when the file cannot be read.
std::u16string HelpText(const std::string& programDir, HelpView view, std::u16string_view lineBreak);

inline constexpr Size kHelpClientSize {441, 305};
inline constexpr Rect kHelpTextRect {5, 8, 281, 292};
inline constexpr Rect kHelpRulesButton {300, 214, 127, 23};
inline constexpr Rect kHelpAboutButton {300, 243, 127, 23};
inline constexpr Rect kHelpOkButton {300, 270, 127, 23};
inline constexpr Rect kHelpLeavesPicture {308, 25, 109, 138};
inline constexpr Rect kHelpLogoPicture {295, 58, 140, 102};
// The host is longer than the classic 93-pixel link can hold in bold, so the
// link spans the picture column under the logo.
inline constexpr Rect kHelpLinkRect {291, 162, 146, 18};

} // namespace quarrow
