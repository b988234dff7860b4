#include "toolkit/work_area.h"

FormSizeLimit WorkAreaLimit(int w, int h, const TaskbarRect& t) {
    enum class Side { Bottom, Top, Left, Right };
    Side side = Side::Bottom;
    if (t.left <= 0 && t.right >= w && t.bottom >= h)
        side = Side::Bottom;
    else if (t.left <= 0 && t.right >= w && t.top <= 0)
        side = Side::Top;
    else if (t.top <= 0 && t.bottom >= h && t.left <= 0)
        side = Side::Left;
    else if (t.top <= 0 && t.bottom >= h && t.right >= w)
        side = Side::Right;
    // A taskbar that spans neither a whole edge counts as a bottom one.
    if (side == Side::Left || side == Side::Right) return {w + t.left - t.right + 6, h + 6};
    return {w + 6, h + t.top - t.bottom + 6};
}

int MaxFormWidth = 0;
int MaxFormHeight = 0;
