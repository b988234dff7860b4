#include "toolkit/active_classes.h"

#include "toolkit/active_check_box.h"
#include "toolkit/active_combo.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/fmt_label.h"
#include "toolkit/radio_button.h"

void RegisterActiveControlClasses() {
    for (const ClassInfo* info :
         {&TActiveLabel::StaticClass(), &TActiveEdit::StaticClass(), &TActiveCombo::StaticClass(),
          &TMCustomCheckBox::StaticClass(), &TActiveCheckBox::StaticClass(), &TMRadioButton::StaticClass(),
          &TMCustomRadioGroup::StaticClass(), &TMRadioGroup::StaticClass(), &TFmtLabel::StaticClass()})
        RegisterComponentClass(*info);
}
