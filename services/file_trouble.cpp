#include "services/file_trouble.h"

namespace quarrow {

std::string_view WhyUnreadable(FileTrouble trouble)
{
    switch (trouble) {
    case FileTrouble::Missing:
        return "is missing";
    case FileTrouble::Folder:
        return "is a folder, not a picture";
    case FileTrouble::NotRegular:
        return "is not a regular file";
    case FileTrouble::NoPermission:
        return "cannot be read (permission denied)";
    case FileTrouble::InUse:
        return "cannot be read (another program has it locked)";
    }
    return "cannot be read";
}

std::string NotAPicture(std::string_view reason)
{
    return "cannot be loaded as a picture (" + std::string(reason) + ")";
}

} // namespace quarrow
