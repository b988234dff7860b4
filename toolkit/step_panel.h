// The two looks of a step panel: one plain panel per configuration step,
// whose caption names the step. A step still to come reads quietly (flat,
// black, at the right); a step that has run stands out (raised, red, at the
// left), and shows so at once, while the next step is still running.
#pragma once

class TCustomPanel;

void SetStepIdle(TCustomPanel& panel);
// Paints the panel now and handles the waiting messages, so that the change
// is on the screen before the caller goes on with work that blocks.
void SetStepDone(TCustomPanel& panel);
// The done look painted now, the waiting messages left for the caller, which
// lets them through at moments of its own choosing.
void PaintStepDone(TCustomPanel& panel);
