#include "toolkit/painted_panel.h"

#include "toolkit/accelerator.h"
#include "toolkit/gradients.h"
#include "toolkit/toolkit_log.h"

#include <algorithm>
#include <exception>

namespace {

constexpr TColor kAccent = clRed;  // the accelerator key

// The caption as shown: "&&" stands for "&", a single "&" only marks the
// accelerator and is not drawn.
std::string WithoutAccelerator(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 >= text.size()) break;
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

// Every "#" is a line break, except in a caption that is nothing but "#".
std::string WithLineBreaks(const std::string& caption) {
    if (caption == "#") return caption;
    std::string text;
    for (char c : caption) {
        if (c == '#')
            text += "\r\n";
        else
            text += c;
    }
    return text;
}

}  // namespace

const ClassInfo& TPaintedPanel::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TPaintedPanel>("TPaintedPanel", &TCustomPanel::StaticClass())
            .Boolean("UseHGradient", &TPaintedPanel::SetUseHGradient, &TPaintedPanel::UseHGradient)
            .Boolean("UseSecondColor", &TPaintedPanel::SetUseSecondColor, &TPaintedPanel::UseSecondColor)
            .Color("SecondColor", &TPaintedPanel::SetSecondColor, &TPaintedPanel::SecondColor)
            .Boolean("UseBorderColor", &TPaintedPanel::SetUseBorderColor, &TPaintedPanel::UseBorderColor)
            .Color("BorderColor", &TPaintedPanel::SetBorderColor, &TPaintedPanel::BorderColor)
            .Event("OnPaint", &TPaintedPanel::OnPaint)
            .Build();
    return info;
}

TPaintedPanel::TPaintedPanel(TComponent* owner) : TCustomPanel(owner), secondColor_(Color()), borderColor_(Color()) {
    SetDoubleBuffered(true);
}

void TPaintedPanel::SetUseHGradient(bool value) {
    if (value == useHGradient_) return;
    useHGradient_ = value;
    Invalidate();
}

void TPaintedPanel::SetUseSecondColor(bool value) {
    if (value == useSecondColor_) return;
    useSecondColor_ = value;
    Invalidate();
}

void TPaintedPanel::SetSecondColor(TColor color) {
    if (color == secondColor_) return;
    secondColor_ = color;
    Invalidate();
}

void TPaintedPanel::SetUseBorderColor(bool value) {
    if (value == useBorderColor_) return;
    useBorderColor_ = value;
    Invalidate();
    if (HWND h = HandleIfAllocated()) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TPaintedPanel::SetBorderColor(TColor color) {
    if (color == borderColor_) return;
    borderColor_ = color;
    Invalidate();
    if (HWND h = HandleIfAllocated()) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

TColor TPaintedPanel::LineColor(int i) const {
    int n = useHGradient_ ? ClientWidth() : ClientHeight();
    return GradientLineColor(static_cast<TColor>(ColorToRGB(Color())), static_cast<TColor>(ColorToRGB(secondColor_)),
                             std::clamp(i, 0, std::max(n - 1, 0)), n);
}

void TPaintedPanel::Paint() {
    if (OnPaint) {
        TCustomPanel::Paint();
        OnPaint(this);
        return;
    }
    RECT client = ClientRect();
    try {
        PaintBackground(client);
        PaintText(client);
        PaintBorder(client);
    } catch (const std::exception& e) {
        ReportPaintFailure("TPaintedPanel " + Name(), e.what());
    }
}

void TPaintedPanel::PaintBackground(const RECT& client) {
    TCanvas& canvas = Canvas();
    if (HasGradient()) {
        try {
            int n = useHGradient_ ? client.right : client.bottom;
            for (int i = 0; i < n; ++i) {
                canvas.Brush().SetColor(LineColor(i));
                canvas.FillRect(useHGradient_ ? RECT{i, 0, i + 1, client.bottom} : RECT{0, i, client.right, i + 1});
            }
            return;
        } catch (const std::exception&) {
            // A gradient that cannot be drawn leaves the plain colour.
        }
    }
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(client);
}

void TPaintedPanel::PaintText(const RECT& client) {
    if (Caption().empty()) return;
    TCanvas& canvas = Canvas();
    std::string text = WithLineBreaks(Caption());
    constexpr UINT kFlags = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured{0, 0, std::max<int>(client.right - 2, 0), 0};
    canvas.DrawText(text, measured, kFlags | DT_CALCRECT);
    int w = measured.right - measured.left, h = measured.bottom - measured.top;
    int x = Alignment() == taLeftJustify    ? 1
            : Alignment() == taRightJustify ? client.right - 1 - w
                                            : (client.right - w) / 2;
    int y = (client.bottom - h) / 2;
    RECT r{x, y, x + w, y + h};
    canvas.Brush().SetStyle(bsClear);
    std::string shown = WithoutAccelerator(text);
    if (Enabled()) {
        canvas.Font().SetColor(Font().Color());
        // The key is marked in a caption of one line; one that breaks into
        // several lines, or that is just "&&", is drawn plain.
        bool oneLine = text.find('\n') == std::string::npos && h <= canvas.TextHeight("Wy");
        if (oneLine && text != "&&")
            DrawAcceleratedText(canvas, text, r, kAccent, Focused(), taCenter);
        else
            canvas.DrawText(shown, r, kFlags);
        return;
    }
    // Embossed: a white copy one pixel down and right, the grey text on top.
    RECT light = r;
    OffsetRect(&light, 1, 1);
    canvas.Font().SetColor(clWhite);
    canvas.DrawText(shown, light, kFlags);
    canvas.Font().SetColor(clGray);
    canvas.DrawText(shown, r, kFlags);
}

void TPaintedPanel::PaintBorder(const RECT& client) {
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsSolid);
    if (useBorderColor_ && BorderStyle() == bsNone) {
        RECT r = client;
        canvas.Brush().SetColor(Parent() ? Parent()->Color() : Color());
        canvas.FrameRect(r);
        InflateRect(&r, -1, -1);
        canvas.Brush().SetColor(borderColor_);
        canvas.FrameRect(r);
        return;
    }
    RECT r = client;
    DrawBevelFrame(canvas, r, BevelOuter(), BevelWidth());
    canvas.Brush().SetColor(Color());
    for (int i = 0; i < BorderWidth(); ++i) {
        canvas.FrameRect(r);
        InflateRect(&r, -1, -1);
    }
    DrawBevelFrame(canvas, r, BevelInner(), BevelWidth());
}

void TPaintedPanel::PaintNonClientFrame() {
    HWND h = HandleIfAllocated();
    if (!h) return;
    RECT window;
    GetWindowRect(h, &window);
    int w = window.right - window.left, ht = window.bottom - window.top;
    if (w <= 2 || ht <= 2) return;
    gdi::WholeWindowDC dc(h);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush().SetColor(borderColor_);
    canvas.FrameRect(RECT{0, 0, w, ht});
    // The ring inside it takes the colour of the panel's edge pixels.
    auto fill = [&](TColor color, const RECT& r) {
        canvas.Brush().SetColor(color);
        canvas.FillRect(r);
    };
    if (!HasGradient()) {
        canvas.Brush().SetColor(Color());
        canvas.FrameRect(RECT{1, 1, w - 1, ht - 1});
    } else if (useHGradient_) {
        for (int x = 1; x < w - 1; ++x) {
            fill(LineColor(x - 1), RECT{x, 1, x + 1, 2});
            fill(LineColor(x - 1), RECT{x, ht - 2, x + 1, ht - 1});
        }
        fill(LineColor(0), RECT{1, 1, 2, ht - 1});
        fill(LineColor(w - 3), RECT{w - 2, 1, w - 1, ht - 1});
    } else {
        for (int y = 1; y < ht - 1; ++y) {
            fill(LineColor(y - 1), RECT{1, y, 2, y + 1});
            fill(LineColor(y - 1), RECT{w - 2, y, w - 1, y + 1});
        }
        fill(LineColor(0), RECT{1, 1, w - 1, 2});
        fill(LineColor(ht - 3), RECT{1, ht - 2, w - 1, ht - 1});
    }
    canvas.SetHandle(nullptr);
}

void TPaintedPanel::WndProc(TMessage& message) {
    TCustomPanel::WndProc(message);
    bool framed = useBorderColor_ && BorderStyle() == bsSingle;
    if (framed && (message.Msg == WM_NCPAINT || message.Msg == WM_SIZE)) {
        try {
            PaintNonClientFrame();
        } catch (const std::exception& e) {
            ReportPaintFailure("TPaintedPanel " + Name(), e.what());
        }
    }
}
