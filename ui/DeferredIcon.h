#pragma once
// An icon whose pictures are made the first time anything draws or measures it. Lists of
// icons that start out of sight (the inventory tree's) then cost nothing at start-up.

#include <functional>
#include <QIcon>

namespace bw::ui {

// build runs once, on first use of the icon or of any copy of it; the result answers
// every request from then on, exactly as if it had been given at once.
QIcon deferredIcon(std::function<QIcon()> build);

} // namespace bw::ui
