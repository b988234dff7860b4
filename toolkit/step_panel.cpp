#include "toolkit/step_panel.h"

#include "framework/application.h"
#include "framework/extctrls.h"

void SetStepIdle(TCustomPanel& panel) {
    panel.SetBevelOuter(bvNone);
    panel.Font().SetColor(clBlack);
    panel.SetAlignment(taRightJustify);
}

void SetStepDone(TCustomPanel& panel) {
    PaintStepDone(panel);
    Application().ProcessMessages();
}

void PaintStepDone(TCustomPanel& panel) {
    panel.SetBevelOuter(bvRaised);
    panel.Font().SetColor(clRed);
    panel.SetAlignment(taLeftJustify);
    panel.Repaint();
}
