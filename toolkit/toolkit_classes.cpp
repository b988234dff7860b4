#include "toolkit/toolkit_classes.h"

#include "framework/classes.h"
#include "toolkit/mbutton.h"
#include "toolkit/mform.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/nice_button.h"
#include "toolkit/painted_panel.h"
#include "toolkit/title_bar.h"
#include "toolkit/title_form.h"

void RegisterToolkitClasses() {
    RegisterFrameworkClasses();
    for (const ClassInfo* info :
         {&TMForm::StaticClass(), &TPaintedForm::StaticClass(), &TMainForm::StaticClass(), &TTitleForm::StaticClass(),
          &TMessageForm::StaticClass(), &TTitleBar::StaticClass(), &TPaintedPanel::StaticClass(),
          &TMButton::StaticClass(), &TNiceButton::StaticClass(), &TMToolbar::StaticClass()})
        RegisterComponentClass(*info);
}
