#pragma once

#include <functional>

class QObject;

namespace rj_app::views {

// Runs `run` once no mouse button is held: at once when none is, else after
// the release that ends the press under way, unless `context` is gone by
// then. A question opened inside a press handler would take that release
// from the pressed widget, and Qt would still count the button as down there:
// the next click, meant for the question, went to the pressed widget.
void runWhenMouseReleased(QObject *context, std::function<void()> run);

} // namespace rj_app::views
