#include "framework/classes.h"

#include "framework/extctrls.h"
#include "framework/filectrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"

void RegisterFrameworkClasses() {
    for (const ClassInfo* info :
         {&TForm::StaticClass(), &TButton::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(),
          &TEdit::StaticClass(), &TMemo::StaticClass(), &TComboBox::StaticClass(), &TListBox::StaticClass(),
          &TLabel::StaticClass(), &TGroupBox::StaticClass(), &TPanel::StaticClass(), &TBevel::StaticClass(),
          &TImage::StaticClass(), &TGauge::StaticClass(), &TTimer::StaticClass(), &TDriveComboBox::StaticClass(),
          &TDirectoryListBox::StaticClass()})
        RegisterComponentClass(*info);
}
