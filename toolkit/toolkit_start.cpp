#include "toolkit/toolkit_start.h"

#include "framework/application.h"
#include "framework/classes.h"
#include "toolkit/active_check_box.h"
#include "toolkit/active_combo.h"
#include "toolkit/active_edit.h"
#include "toolkit/active_label.h"
#include "toolkit/fmt_label.h"
#include "toolkit/format_codes.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/mform.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/nice_button.h"
#include "toolkit/painted_panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/title_bar.h"
#include "toolkit/title_form.h"
#include "toolkit/trans_image.h"
#include "toolkit/work_area.h"

#include <utility>

namespace {

// The taskbar's rectangle on the screen; all zero when there is none.
TaskbarRect FindTaskbar() {
    RECT r{};
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) GetWindowRect(tray, &r);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void RegisterToolkitClasses() {
    RegisterFrameworkClasses();
    for (const ClassInfo* info :
         {&TMButton::StaticClass(),        &TNiceButton::StaticClass(),   &TMToolbar::StaticClass(),
          &TMForm::StaticClass(),          &TPaintedForm::StaticClass(),  &TMainForm::StaticClass(),
          &TTitleForm::StaticClass(),      &TMessageForm::StaticClass(),  &TTitleBar::StaticClass(),
          &TPaintedPanel::StaticClass(),   &TTransImage::StaticClass(),   &TActiveLabel::StaticClass(),
          &TActiveEdit::StaticClass(),     &TActiveCombo::StaticClass(),  &TMCustomCheckBox::StaticClass(),
          &TActiveCheckBox::StaticClass(), &TMRadioButton::StaticClass(), &TMCustomRadioGroup::StaticClass(),
          &TMRadioGroup::StaticClass(),    &TFmtLabel::StaticClass()})
        RegisterComponentClass(*info);
}

void StartToolkit(const GlyphSetStart& start, ToolkitLogSink log) {
    SetToolkitLogSink(std::move(log));
    RegisterToolkitClasses();
    FormSizeLimit limit = WorkAreaLimit(Screen().Width(), Screen().Height(), FindTaskbar());
    MaxFormWidth = limit.width;
    MaxFormHeight = limit.height;
    StartGlyphSet(start);  // HighColorDisplay first, then the glyph holder
    InitTitleBars();
    // An error that no step catches is shown in the toolkit's own dialog,
    // like every other message; its text is data, not formatting.
    Application().OnException = [](const std::string& message) {
        RomMessageDlg(LiteralFormatText(message), "", mtError, taCenter, {mbOK}, mbOK);
    };
}
