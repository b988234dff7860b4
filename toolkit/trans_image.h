// A picture with a transparent colour (its top-left pixel's): either a
// bitmap of its own or one picture of the toolkit's glyph set, chosen by a
// button kind, a dialog kind or an extra glyph kind. It has no window; its
// parent paints it.
#pragma once

#include "framework/control.h"
#include "toolkit/button_kinds.h"

class TTransImage : public TGraphicControl {
    DECLARE_CLASS_INFO
public:
    explicit TTransImage(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Owned; the image keeps a copy of what it is given. Taking it resets
    // the three kinds.
    TBitmap& Bitmap() { return bitmap_; }
    void SetBitmap(const TBitmap& bitmap);
    // Whether the picture is painted: the image's own flag, not the
    // control's, so that a hidden picture keeps its place among its siblings.
    bool ImageVisible() const { return imageVisible_; }
    void SetImageVisible(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // The three kinds exclude one another: choosing one resets the others.
    TMButtonKind KindMic() const { return kindMic_; }
    void SetKindMic(TMButtonKind kind);
    TMsgDlgType KindMare() const { return kindMare_; }
    void SetKindMare(TMsgDlgType kind);
    TAlteGlife KindAlte() const { return kindAlte_; }
    void SetKindAlte(TAlteGlife kind);

    // The picture painted: the glyph of the kind that is chosen, else the
    // image's own bitmap.
    TBitmap& Picture();

protected:
    void Paint() override;

private:
    void PictureChanged();

    bool autoSize_ = true, imageVisible_ = true, transparent_ = true;
    TBitmap bitmap_;
    TMButtonKind kindMic_ = mkCustom;
    TMsgDlgType kindMare_ = mtCustom;
    TAlteGlife kindAlte_ = glCustom;
};
