#include "toolkit/toolkit_start.h"

#include "toolkit/mbutton.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/nice_button.h"

void RegisterToolkitClasses() {
    for (const ClassInfo* info : {&TMButton::StaticClass(), &TNiceButton::StaticClass(), &TMToolbar::StaticClass()})
        RegisterComponentClass(*info);
}

void StartToolkit(const GlyphSetStart& start) {
    RegisterToolkitClasses();
    StartGlyphSet(start);
}
