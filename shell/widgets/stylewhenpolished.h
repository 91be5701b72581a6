#pragma once

#include <functional>

class QWidget;

namespace Theme {

// Runs `apply`, which sets the style sheets of `widget` and the widgets inside it, when the toolkit
// first polishes `widget`: before it is first shown, drawn (grab, render) or laid out, or at once
// if it is polished already. A style sheet set on a widget that exists makes each frame below it
// work out its frame widths and decode the pictures the sheet names; for a form built hidden (a
// page behind another, a panel shown later or never) that work can wait, since nothing sees a
// style before the widget is polished. Setting the sheets before the polish also spares the
// repolish each of them would cost afterwards. The toolkit's request that a new window polish
// itself at the next turn of the event loop is dropped: a hidden window is polished when it is
// first shown, drawn or measured.
void StyleWhenPolished(QWidget *widget, std::function<void()> apply);

} // namespace Theme
