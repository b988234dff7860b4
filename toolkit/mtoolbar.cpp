#include "toolkit/mtoolbar.h"

#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"

#include <algorithm>

namespace {

bool InRange(TMButtonKind kind) { return kind >= 0 && kind < kButtonKindCount; }

template <class B>
void Move(std::array<B*, kButtonKindCount>& slots, B* button, TMButtonKind old, TMButtonKind kind) {
    if (InRange(old) && slots[old] == button) slots[old] = nullptr;
    if (InRange(kind)) slots[kind] = button;
}

template <class B>
void Remove(std::array<B*, kButtonKindCount>& slots, const B* button) {
    std::replace(slots.begin(), slots.end(), const_cast<B*>(button), static_cast<B*>(nullptr));
}

}  // namespace

const ClassInfo& TMToolbar::StaticClass() {
    static const ClassInfo info = ClassBuilder<TMToolbar>("TMToolbar", &TPanel::StaticClass()).Build();
    return info;
}

TMToolbar::TMToolbar(TComponent* owner) : TPanel(owner) {
    SetBounds(0, 0, 100, 210);
    SetDoubleBuffered(true);
}

TMButton* TMToolbar::Button(TMButtonKind kind) const { return InRange(kind) ? buttons_[kind] : nullptr; }

TNiceButton* TMToolbar::NiceButton(TMButtonKind kind) const { return InRange(kind) ? niceButtons_[kind] : nullptr; }

void TMToolbar::Place(TMButton* button, TMButtonKind old) { Move(buttons_, button, old, button->Kind()); }

void TMToolbar::Place(TNiceButton* button, TMButtonKind old) { Move(niceButtons_, button, old, button->Kind()); }

void TMToolbar::Forget(const TMButton* button) { Remove(buttons_, button); }

void TMToolbar::Forget(const TNiceButton* button) { Remove(niceButtons_, button); }

void TMToolbar::ButtonClicked(TMButtonKind) {}

void TMToolbar::EnabledChanged() {
    TPanel::EnabledChanged();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Enabled());
}

void TMToolbar::WndProc(TMessage& message) {
    TPanel::WndProc(message);
    if (message.Msg == WM_GETDLGCODE) message.Result |= DLGC_WANTARROWS;
}
