#include "toolkit/toolkit_classes.h"

#include "framework/classes.h"
#include "toolkit/active_check_box.h"
#include "toolkit/active_combo.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/mform.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/nice_button.h"
#include "toolkit/painted_panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/title_bar.h"
#include "toolkit/title_form.h"
#include "toolkit/trans_image.h"

void RegisterToolkitClasses() {
    RegisterFrameworkClasses();
    for (const ClassInfo* info :
         {&TMForm::StaticClass(),          &TPaintedForm::StaticClass(),  &TMainForm::StaticClass(),
          &TTitleForm::StaticClass(),      &TMessageForm::StaticClass(),  &TTitleBar::StaticClass(),
          &TPaintedPanel::StaticClass(),   &TTransImage::StaticClass(),   &TMButton::StaticClass(),
          &TNiceButton::StaticClass(),     &TMToolbar::StaticClass(),     &TActiveLabel::StaticClass(),
          &TActiveEdit::StaticClass(),     &TActiveCombo::StaticClass(),  &TMCustomCheckBox::StaticClass(),
          &TActiveCheckBox::StaticClass(), &TMRadioButton::StaticClass(), &TMCustomRadioGroup::StaticClass(),
          &TMRadioGroup::StaticClass(),    &TFmtLabel::StaticClass()})
        RegisterComponentClass(*info);
}
