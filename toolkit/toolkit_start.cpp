#include "toolkit/toolkit_start.h"

#include "toolkit/active_check_box.h"
#include "toolkit/active_combo.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/nice_button.h"
#include "toolkit/radio_button.h"

void RegisterToolkitClasses() {
    for (const ClassInfo* info :
         {&TMButton::StaticClass(), &TNiceButton::StaticClass(), &TMToolbar::StaticClass(),
          &TActiveLabel::StaticClass(), &TActiveEdit::StaticClass(), &TActiveCombo::StaticClass(),
          &TMCustomCheckBox::StaticClass(), &TActiveCheckBox::StaticClass(), &TMRadioButton::StaticClass(),
          &TMCustomRadioGroup::StaticClass(), &TMRadioGroup::StaticClass(), &TFmtLabel::StaticClass()})
        RegisterComponentClass(*info);
}

void StartToolkit(const GlyphSetStart& start) {
    RegisterToolkitClasses();
    StartGlyphSet(start);
}
