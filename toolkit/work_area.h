// The largest size a toolkit form may take: the screen less the taskbar,
// plus 6 pixels each way so that a maximised form's frame lies just off the
// edges. Portable: the caller supplies the screen and the taskbar.
#pragma once

struct FormSizeLimit {
    int width;
    int height;
};

struct TaskbarRect {
    int left, top, right, bottom;  // all zero when there is no taskbar
};

// Works out on which side of a screen of width x height the taskbar lies
// and what it leaves free.
FormSizeLimit WorkAreaLimit(int screenWidth, int screenHeight, const TaskbarRect& taskbar);

// The limit for the screen the toolkit started on (0 before it started:
// no limit).
extern int MaxFormWidth;
extern int MaxFormHeight;
