#include "toolkit/fmt_label.h"

#include "toolkit/format_codes.h"
#include "toolkit/format_layout.h"
#include "toolkit/paint_guard.h"

#include <algorithm>

const NameList kMAlignNames = {"alMNone", "alMTop", "alMBottom", "alMLeft", "alMRight", "alMCenter"};

namespace {

constexpr int kBlinkMilliseconds = 300;

// The label's font changed by a run's look.
void ApplyLook(TFont& font, const FmtAttributes& look) {
    if (look.styleCode) font.SetStyle(((*look.styleCode & 1) ? fsItalic : 0) | ((*look.styleCode & 2) ? fsBold : 0));
    if (look.points) font.SetSize(*look.points);
    if (look.color) font.SetColor(*look.color);
}

FmtLineAlign LineAlignOf(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify: return FmtLineAlign::Right;
    case taCenter: return FmtLineAlign::Centre;
    default: return FmtLineAlign::Left;
    }
}

void DrawRun(TCanvas& canvas, const TFont& font, const std::string& text, int x, int y, bool shadow, TColor shadowColor,
             TColor color) {
    canvas.Font().Assign(font);
    canvas.Brush().SetStyle(bsClear);
    if (shadow) {
        canvas.Font().SetColor(shadowColor);
        canvas.TextOut(x + 1, y + 1, text);
    }
    canvas.Font().SetColor(color);
    canvas.TextOut(x, y, text);
}

}  // namespace

// ---------------------------------------------------------------------------
// Blinking run

TBlinkObj::TBlinkObj(TFmtLabel& label, Run run, const TFont& font)
    : label_(label), run_(std::move(run)), labelColor_(label.Color()), timer_(std::make_unique<TTimer>(nullptr)) {
    font_.Assign(font);
    timer_->SetInterval(kBlinkMilliseconds);
    timer_->OnTimer = [this](TObject*) { Tick(); };
    timer_->SetEnabled(true);
}

TBlinkObj::~TBlinkObj() = default;

void TBlinkObj::Tick() {
    hidden_ = !hidden_;
    TWinControl* parent = label_.Parent();
    if (!label_.Showing() || !parent || !parent->HandleAllocated()) return;
    gdi::WindowDC dc(parent->HandleIfAllocated());
    gdi::SavedState saved(dc);
    IntersectClipRect(dc, label_.Left(), label_.Top(), label_.Left() + label_.Width(), label_.Top() + label_.Height());
    TCanvas canvas;
    canvas.SetHandle(dc);
    int x = label_.Left() + run_.x, y = label_.Top() + run_.y;
    if (hidden_)
        DrawRun(canvas, font_, run_.text, x, y, run_.shadow, labelColor_, labelColor_);
    else
        DrawRun(canvas, font_, run_.text, x, y, run_.shadow, run_.shadowColor, font_.Color());
    canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------
// Format label

const ClassInfo& TFmtLabel::StaticClass() {
    static const ClassInfo info = ClassBuilder<TFmtLabel>("TFmtLabel", &TLabel::StaticClass())
                                      .Enumeration("Align", kMAlignNames, &TFmtLabel::SetMAlign, &TFmtLabel::MAlign)
                                      .Color("ShadowColor", &TFmtLabel::SetShadowColor, &TFmtLabel::ShadowColor)
                                      .Build();
    return info;
}

TFmtLabel::TFmtLabel(TComponent* owner) : TLabel(owner) { SetAutoSize(false); }

TFmtLabel::~TFmtLabel() { Elibereaza_BlinkList(); }

void TFmtLabel::SetMAlign(TMAlign align) {
    mAlign_ = align;
    Invalidate();
}

void TFmtLabel::SetShadowColor(TColor color) {
    shadowColor_ = color;
    Invalidate();
}

void TFmtLabel::Elibereaza_BlinkList() { blinkList_.clear(); }

void TFmtLabel::Paint() {
    if (!paintEnabled_ || Caption().empty()) return;
    // A caption that cannot be drawn leaves the label blank, with no
    // half-made blinking pieces.
    GuardedPaint(*this, [&] {
        try {
            PaintCaption();
        } catch (...) {
            Elibereaza_BlinkList();
            throw;
        }
    });
}

void TFmtLabel::PaintCaption() {
    TCanvas& canvas = Canvas();
    if (!Transparent()) canvas.FillRect(ClientRect());
    Elibereaza_BlinkList();

    std::vector<FmtLine> lines = ParseFormatCodes(Caption());
    std::vector<std::vector<std::unique_ptr<TFont>>> fonts(lines.size());  // fonts cannot move
    std::vector<std::vector<RunMetrics>> metrics(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        for (size_t j = 0; j < lines[i].size(); ++j) {
            TFont& font = *fonts[i].emplace_back(std::make_unique<TFont>());
            font.Assign(Font());
            ApplyLook(font, lines[i][j].look);
            canvas.Font().Assign(font);
            TEXTMETRICA tm = canvas.TextMetrics();
            int width = lines[i][j].text.empty() ? 0 : canvas.TextWidth(lines[i][j].text);
            metrics[i].push_back({width, tm.tmAscent, tm.tmHeight});
        }
    }
    FmtLineAlign align = LineAlignOf(Alignment());
    FmtMeasure measure = MeasureFormattedLines(metrics, align);

    if (measure.neededWidth > Width() || measure.neededHeight > Height()) {
        paintEnabled_ = false;
        SetBounds(Left(), Top(), std::max(Width(), measure.neededWidth), std::max(Height(), measure.neededHeight));
        paintEnabled_ = true;
    }
    PlaceInParent();

    auto places = PlaceFormattedRuns(metrics, measure, align, Width());
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = 0; j < lines[i].size(); ++j) {
            const FmtRun& run = lines[i][j];
            const RunPlace& at = places[i][j];
            DrawRun(canvas, *fonts[i][j], run.text, at.x, at.y, run.look.shadow, shadowColor_, fonts[i][j]->Color());
            if (run.look.blink && !run.text.empty())
                blinkList_.push_back(std::make_unique<TBlinkObj>(
                    *this, TBlinkObj::Run{run.text, at.x, at.y, run.look.shadow, shadowColor_}, *fonts[i][j]));
        }
}

void TFmtLabel::PlaceInParent() {
    TWinControl* parent = Parent();
    if (!parent || mAlign_ == alMNone) return;
    int left = Left(), top = Top();
    int clientWidth = parent->ClientWidth(), clientHeight = parent->ClientHeight();
    switch (mAlign_) {
    case alMTop: top = 1; break;
    case alMBottom: top = clientHeight - Height() - 1; break;
    case alMLeft: left = 1; break;
    case alMRight: left = clientWidth - Width() - 2; break;
    case alMCenter:
        left = (clientWidth - Width()) / 2;
        top = (clientHeight - Height()) / 2;
        break;
    case alMNone: break;
    }
    if (left == Left() && top == Top()) return;
    paintEnabled_ = false;
    SetBounds(left, top, Width(), Height());
    paintEnabled_ = true;
}
