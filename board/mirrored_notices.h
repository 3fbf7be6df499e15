#pragma once

#include <functional>
#include <utility>

#include "rules/notices.h"

namespace quarrow {

// The rules announce a result in the middle of a handler, before the board has
// been brought up to date. Mirroring first lets the player see the board the
// notice is about (the fourth king on its foundation) behind the notice.
class MirroredNotices final : public Notices {
public:
    MirroredNotices(std::function<void()> mirror, Notices& shown)
        : mirror_(std::move(mirror))
        , shown_(shown)
    {
    }

    void ShowResult() override
    {
        mirror_();
        shown_.ShowResult();
    }

private:
    std::function<void()> mirror_;
    Notices& shown_;
};

} // namespace quarrow
