// The toolkit's check box: the "Check" glyph (or its own) in three states,
// the text red while it has the focus.
#pragma once

#include "framework/stdctrls.h"

class TMCustomCheckBox : public TCheckBox {
    DECLARE_CLASS_INFO
public:
    explicit TMCustomCheckBox(TComponent* owner);

    // A strip of three frames: checked, unchecked, grayed.
    TBitmap& Glyph() { return glyph_; }
    bool CustomGlyph() const { return customGlyph_; }
    void SetCustomGlyph(bool value);
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    bool OwnerDrawn() const override { return true; }

private:
    TBitmap glyph_;
    bool customGlyph_ = false;
};

class TActiveCheckBox : public TMCustomCheckBox {
    DECLARE_CLASS_INFO
public:
    explicit TActiveCheckBox(TComponent* owner);
};
