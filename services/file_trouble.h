#pragma once

#include <string>
#include <string_view>

namespace quarrow {

// Why a file the program needed could not be used, in the words that follow
// its name in a message ("the picture C:\x.gif is missing"), the same on every
// platform.
enum class FileTrouble { Missing, Folder, NotRegular, NoPermission, InUse };

std::string_view WhyUnreadable(FileTrouble trouble);

// "cannot be loaded as a picture (reason)": the file was read but is no picture.
std::string NotAPicture(std::string_view reason);

} // namespace quarrow
