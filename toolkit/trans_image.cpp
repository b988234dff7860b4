#include "toolkit/trans_image.h"

#include "toolkit/glyph_set.h"
#include "toolkit/toolkit_log.h"

#include <exception>

const ClassInfo& TTransImage::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TTransImage>("TTransImage", &TGraphicControl::StaticClass())
            .Boolean("AutoSize", &TTransImage::SetAutoSize, &TTransImage::AutoSize)
            .Custom("Bitmap",
                    [](TTransImage& image, const PropValue& v) {
                        TBitmap loaded;
                        LoadBitmapValue(loaded, v);
                        image.SetBitmap(loaded);
                    })
            .Boolean("Visible", &TTransImage::SetImageVisible, &TTransImage::ImageVisible)
            .Boolean("Transparent", &TTransImage::SetTransparent, &TTransImage::Transparent)
            .Enumeration("KindMic", kButtonKindNames, &TTransImage::SetKindMic, &TTransImage::KindMic)
            .Enumeration("KindMare", kMsgDlgTypeNames, &TTransImage::SetKindMare, &TTransImage::KindMare)
            .Enumeration("KindAlte", kAlteGlifeNames, &TTransImage::SetKindAlte, &TTransImage::KindAlte)
            .Build();
    return info;
}

TTransImage::TTransImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 24, 24); }

void TTransImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void TTransImage::SetBitmap(const TBitmap& bitmap) {
    bitmap_.Assign(bitmap);
    kindMic_ = mkCustom;
    kindMare_ = mtCustom;
    kindAlte_ = glCustom;
    PictureChanged();
}

void TTransImage::SetImageVisible(bool value) {
    if (value == imageVisible_) return;
    imageVisible_ = value;
    // A hidden picture uncovers what lies under it: the parent repaints.
    if (!value && Parent())
        Parent()->Invalidate();
    else
        Invalidate();
}

void TTransImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}

void TTransImage::SetKindMic(TMButtonKind kind) {
    kindMic_ = kind;
    kindMare_ = mtCustom;
    kindAlte_ = glCustom;
    PictureChanged();
}

void TTransImage::SetKindMare(TMsgDlgType kind) {
    kindMare_ = kind;
    kindMic_ = mkCustom;
    kindAlte_ = glCustom;
    PictureChanged();
}

void TTransImage::SetKindAlte(TAlteGlife kind) {
    kindAlte_ = kind;
    kindMic_ = mkCustom;
    kindMare_ = mtCustom;
    PictureChanged();
}

TBitmap& TTransImage::Picture() {
    if (kindMic_ != mkCustom) return ButtonGlyph(kindMic_);
    if (kindMare_ != mtCustom) return DialogIcon(kindMare_);
    if (kindAlte_ != glCustom) return AlteGlyph(kindAlte_);
    return bitmap_;
}

void TTransImage::PictureChanged() {
    TBitmap& picture = Picture();
    if (autoSize_ && !picture.Empty())
        SetBounds(Left(), Top(), picture.Width(), picture.Height());
    else
        Invalidate();
}

void TTransImage::Paint() {
    try {
        TBitmap& picture = Picture();
        if (!imageVisible_ || picture.Empty()) return;
        RECT whole{0, 0, picture.Width(), picture.Height()};
        if (transparent_)
            Canvas().DrawTransparent(0, 0, picture, whole);  // the top-left pixel's colour lets the parent show
        else
            Canvas().CopyRect(whole, picture.Canvas(), whole);
    } catch (const std::exception& e) {
        ReportPaintFailure("TTransImage " + Name(), e.what());
    }
}
