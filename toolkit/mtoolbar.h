// TMToolbar: a panel of toolkit buttons that knows them by kind. Each button
// placed on it sits in its kind's slot (one table for TMButtons, one for
// TNiceButtons); a click on one reaches ButtonClicked with the kind, which a
// derived toolbar overrides.
#pragma once

#include "framework/extctrls.h"
#include "toolkit/button_kinds.h"

#include <array>

class TMButton;
class TNiceButton;

class TMToolbar : public TPanel {
    DECLARE_CLASS_INFO
public:
    explicit TMToolbar(TComponent* owner);

    // The buttons by kind; nullptr where none sits.
    TMButton* Button(TMButtonKind kind) const;
    TNiceButton* NiceButton(TMButtonKind kind) const;

    // Called by the buttons: one placed on the toolbar or changed from kind
    // `old`, one leaving it, one clicked.
    void Place(TMButton* button, TMButtonKind old);
    void Place(TNiceButton* button, TMButtonKind old);
    void Forget(const TMButton* button);
    void Forget(const TNiceButton* button);
    virtual void ButtonClicked(TMButtonKind kind);

    void WndProc(TMessage& message) override;

protected:
    void EnabledChanged() override;

private:
    std::array<TMButton*, kButtonKindCount> buttons_{};         // not owned
    std::array<TNiceButton*, kButtonKindCount> niceButtons_{};  // not owned
};
