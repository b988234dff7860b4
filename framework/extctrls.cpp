#include "framework/extctrls.h"

#include "framework/application.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

const NameList kBevelCutNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

namespace {
const NameList kBevelShapeNames = {"bsBox",      "bsFrame",     "bsTopLine", "bsBottomLine",
                                   "bsLeftLine", "bsRightLine", "bsSpacer"};
const NameList kBevelStyleNames = {"bsLowered", "bsRaised"};
const NameList kGaugeKindNames = {"gkHorizontalBar", "gkVerticalBar"};

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// A one-pixel frame: top and left in one colour, bottom and right in another.
void Frame3D(TCanvas& canvas, const RECT& r, TColor topLeft, TColor bottomRight) {
    Line(canvas, topLeft, r.left, r.bottom - 1, r.left, r.top);
    Line(canvas, topLeft, r.left, r.top, r.right - 1, r.top);
    Line(canvas, bottomRight, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    Line(canvas, bottomRight, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}
}  // namespace

void DrawBevelFrame(TCanvas& canvas, RECT& rect, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    for (int i = 0; i < width; ++i) {
        if (cut == bvRaised)
            Frame3D(canvas, rect, clBtnHighlight, clBtnShadow);
        else if (cut == bvLowered)
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
        InflateRect(&rect, -1, -1);
    }
}

// ---------------------------------------------------------------------------
// Panel

const ClassInfo& TCustomPanel::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TCustomPanel>("TCustomPanel", &TCustomControl::StaticClass())
            .String("Caption", &TControl::SetCaption, &TControl::Caption)
            .Enumeration("BevelOuter", kBevelCutNames, &TCustomPanel::SetBevelOuter, &TCustomPanel::BevelOuter)
            .Enumeration("BevelInner", kBevelCutNames, &TCustomPanel::SetBevelInner, &TCustomPanel::BevelInner)
            .Integer("BevelWidth", &TCustomPanel::SetBevelWidth, &TCustomPanel::BevelWidth)
            .Integer("BorderWidth", &TCustomPanel::SetBorderWidth, &TCustomPanel::BorderWidth)
            .Enumeration("BorderStyle", kControlBorderNames, &TCustomPanel::SetBorderStyle, &TCustomPanel::BorderStyle)
            .Enumeration("Alignment", kAlignmentNames, &TCustomPanel::SetAlignment, &TCustomPanel::Alignment)
            .Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle) params.style |= WS_BORDER;
}

void TCustomPanel::AdjustClientRect(RECT& rect) const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    AlignControls();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    AlignControls();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int width) {
    bevelWidth_ = std::max(width, 1);
    AlignControls();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int width) {
    borderWidth_ = std::max(width, 0);
    AlignControls();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TCustomPanel::Paint() {
    RECT r = ClientRect();
    Canvas().FillRect(r);
    PaintFrame(r);
    PaintCaption(r);
}

void TCustomPanel::PaintFrame(RECT& r) {
    TCanvas& canvas = Canvas();
    DrawBevelFrame(canvas, r, bevelOuter_, bevelWidth_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    DrawBevelFrame(canvas, r, bevelInner_, bevelWidth_);
}

void TCustomPanel::PaintCaption(const RECT& rect) {
    if (Caption().empty()) return;
    TCanvas& canvas = Canvas();
    static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    RECT r = rect;
    canvas.Brush().SetStyle(bsClear);
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER | kAlign[alignment_]);
}

const ClassInfo& TPanel::StaticClass() {
    static const ClassInfo info = ClassBuilder<TPanel>("TPanel", &TCustomPanel::StaticClass()).Build();
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

// ---------------------------------------------------------------------------
// Bevel

const ClassInfo& TBevel::StaticClass() {
    static const ClassInfo info = ClassBuilder<TBevel>("TBevel", &TGraphicControl::StaticClass())
                                      .Enumeration("Shape", kBevelShapeNames, &TBevel::SetShape, &TBevel::Shape)
                                      .Enumeration("Style", kBevelStyleNames, &TBevel::SetStyle, &TBevel::Style)
                                      .Build();
    return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    style_ = style;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas& canvas = Canvas();
    TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    switch (shape_) {
    case bsBox: Frame3D(canvas, RECT{0, 0, w, h}, first, second); break;
    case bsFrame:
        Frame3D(canvas, RECT{0, 0, w - 1, h - 1}, first, first);
        Frame3D(canvas, RECT{1, 1, w, h}, second, second);
        break;
    case bsTopLine:
        Line(canvas, first, 0, 0, w, 0);
        Line(canvas, second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        Line(canvas, first, 0, h - 2, w, h - 2);
        Line(canvas, second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        Line(canvas, first, 0, 0, 0, h);
        Line(canvas, second, 1, 0, 1, h);
        break;
    case bsRightLine:
        Line(canvas, first, w - 2, 0, w - 2, h);
        Line(canvas, second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

// ---------------------------------------------------------------------------
// Image

const ClassInfo& TImage::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TImage>("TImage", &TGraphicControl::StaticClass())
            .Custom("Picture", [](TImage& image, const PropValue& v) { LoadBitmapValue(image.Picture(), v); })
            .Boolean("Stretch", &TImage::SetStretch, &TImage::Stretch)
            .Boolean("Center", &TImage::SetCenter, &TImage::Center)
            .Boolean("Transparent", &TImage::SetTransparent, &TImage::Transparent)
            .Boolean("AutoSize", &TImage::SetAutoSize, &TImage::AutoSize)
            .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::SetStretch(bool value) {
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    center_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void TImage::Paint() {
    if (picture_.Empty()) return;
    if (stretch_) {
        Canvas().StretchDraw(ClientRect(), picture_);
        return;
    }
    int x = center_ ? (Width() - picture_.Width()) / 2 : 0;
    int y = center_ ? (Height() - picture_.Height()) / 2 : 0;
    Canvas().Draw(x, y, picture_);
}

// ---------------------------------------------------------------------------
// Gauge

const ClassInfo& TGauge::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TGauge>("TGauge", &TGraphicControl::StaticClass())
            .Object("Font", &TControl::Font)
            .Boolean("ParentFont", &TControl::SetParentFont, &TControl::ParentFont)
            .Integer("MinValue", &TGauge::SetMinValue, &TGauge::MinValue)
            .Integer("MaxValue", &TGauge::SetMaxValue, &TGauge::MaxValue)
            .Integer("Progress", &TGauge::SetProgress, &TGauge::Progress)
            .Color("ForeColor", &TGauge::SetForeColor, &TGauge::ForeColor)
            .Color("BackColor", &TGauge::SetBackColor, &TGauge::BackColor)
            .Boolean("ShowText", &TGauge::SetShowText, &TGauge::ShowText)
            .Enumeration("Kind", kGaugeKindNames, &TGauge::SetKind, &TGauge::Kind)
            .Enumeration("BorderStyle", kControlBorderNames, &TGauge::SetBorderStyle, &TGauge::BorderStyle)
            .Build();
    return info;
}

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 100, 100); }

void TGauge::SetMinValue(int value) {
    minValue_ = value;
    Invalidate();
}

void TGauge::SetMaxValue(int value) {
    maxValue_ = value;
    Invalidate();
}

void TGauge::SetProgress(int value) {
    if (value == progress_) return;
    progress_ = value;
    Invalidate();
}

// Clamped to 0..100, so that a count past the maximum shows a full bar.
int TGauge::PercentDone() const {
    if (maxValue_ <= minValue_) return progress_ >= maxValue_ ? 100 : 0;
    long long done =
        static_cast<long long>(progress_ - minValue_) * 100 / (static_cast<long long>(maxValue_) - minValue_);
    return static_cast<int>(std::clamp<long long>(done, 0, 100));
}

void TGauge::SetForeColor(TColor color) {
    foreColor_ = color;
    Invalidate();
}

void TGauge::SetBackColor(TColor color) {
    backColor_ = color;
    Invalidate();
}

void TGauge::SetShowText(bool value) {
    showText_ = value;
    Invalidate();
}

void TGauge::SetKind(TGaugeKind kind) {
    kind_ = kind;
    Invalidate();
}

void TGauge::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    Invalidate();
}

void TGauge::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (borderStyle_ == bsSingle) {
        canvas.Brush().SetColor(clBlack);
        canvas.FrameRect(r);
        InflateRect(&r, -1, -1);
    }
    RECT filled = r, empty = r;
    int percent = PercentDone();
    if (kind_ == gkHorizontalBar) {
        filled.right = r.left + (r.right - r.left) * percent / 100;
        empty.left = filled.right;
    } else {
        filled.top = r.bottom - (r.bottom - r.top) * percent / 100;
        empty.bottom = filled.top;
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(foreColor_);
    canvas.FillRect(filled);
    canvas.Brush().SetColor(backColor_);
    canvas.FillRect(empty);
    if (!showText_) return;
    // The text reads in the back colour over the bar and in the bar's colour
    // elsewhere: drawn twice, each time clipped to one part.
    std::string text = std::to_string(percent) + "%";
    canvas.Brush().SetStyle(bsClear);
    for (auto [part, color] : {std::pair{filled, backColor_}, std::pair{empty, foreColor_}}) {
        if (IsRectEmpty(&part)) continue;
        gdi::SavedState saved(canvas.Handle());
        IntersectClipRect(canvas.Handle(), part.left, part.top, part.right, part.bottom);
        canvas.Font().SetColor(color);
        RECT textRect = r;
        canvas.DrawText(text, textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
}

// ---------------------------------------------------------------------------
// Timer

// One hidden message-only window receives the WM_TIMER of every timer (a
// label may make timers at each paint: a window each would be costly). Each
// start gets a new id; a message whose id belongs to no running timer (one
// stopped or freed after Windows queued it) is dropped.
class TTimer::Window {
public:
    static UINT_PTR Start(TTimer& timer, int interval) {
        Window& w = Instance();
        UINT_PTR id = ++w.lastId_;
        // Interval 0 asks for the shortest the system allows.
        if (!SetTimer(w.handle_, id, static_cast<UINT>(std::max(interval, 0)), nullptr))
            throw std::runtime_error("nu pot porni cronometrul " + timer.Name());
        w.running_[id] = &timer;
        return id;
    }
    static void Stop(UINT_PTR id) {
        Window& w = Instance();
        KillTimer(w.handle_, id);
        w.running_.erase(id);
    }

private:
    Window() {
        static const char* const kClass = "Korven.Timers";
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Window::Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        if (!RegisterClassExA(&wc)) throw std::runtime_error("nu pot inregistra fereastra cronometrelor");
        handle_ =
            CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!handle_) throw std::runtime_error("nu pot crea fereastra cronometrelor");
    }
    // Lives as long as the thread's windows: never destroyed, as timers of
    // forms freed at exit still stop themselves.
    static Window& Instance() {
        static auto* const window = new Window;
        return *window;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_TIMER) return DefWindowProcA(window, msg, wParam, lParam);
        auto& running = Instance().running_;
        auto it = running.find(static_cast<UINT_PTR>(wParam));
        if (it == running.end()) return 0;
        try {
            it->second->Tick();
        } catch (...) {
            Application().HandleException(std::current_exception());
        }
        return 0;
    }

    HWND handle_ = nullptr;
    UINT_PTR lastId_ = 0;
    std::map<UINT_PTR, TTimer*> running_;  // not owned
};

const ClassInfo& TTimer::StaticClass() {
    static const ClassInfo info = ClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                                      .Boolean("Enabled", &TTimer::SetEnabled, &TTimer::Enabled)
                                      .Integer("Interval", &TTimer::SetInterval, &TTimer::Interval)
                                      .Event("OnTimer", &TTimer::OnTimer)
                                      .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
    if (id_) Window::Stop(id_);
}

void TTimer::SetEnabled(bool value) {
    enabled_ = value;
    Update();
}

void TTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    Update();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Update();
}

void TTimer::Update() {
    if (IsLoading()) return;
    if (id_) Window::Stop(std::exchange(id_, 0));
    if (enabled_) id_ = Window::Start(*this, interval_);
}

void TTimer::Tick() {
    // The handler may free the timer (with its owner): it runs from a copy.
    TNotifyEvent handler = OnTimer;
    if (handler) handler(this);
}
