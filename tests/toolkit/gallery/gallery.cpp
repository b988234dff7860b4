// Every picture of the glyph set and every button kind, in their states, on
// one sheet: a test program for looking at the artwork and the buttons, not
// part of the installer.
//
//   toolkit_gallery              shows the sheet until its window is closed
//   toolkit_gallery --shot FILE  saves the sheet to FILE (.bmp) and exits
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "toolkit/theme_colors.h"
#include "toolkit/toolkit_start.h"

#include "framework/application.h"
#include "framework/form.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kSheetWidth = 1180, kSheetHeight = 900;

const char* const kPictures[] = {
    "OK",         "Cancel",     "Nu",           "Exit",      "Retry",       "Help",      "Image1",   "Avansat",
    "PrnSetup",   "Precedent",  "Urmator",      "nPrev",     "nNext",       "Check",     "Radio",    "IconFace",
    "HatchB",     "Buget",      "UrmatorBlue",  "Add",       "Delete",      "Jurnal",    "Vizual",   "Print",
    "Edit",       "Analitic",   "Detalii",      "Korven",    "Save",        "Plus",      "BUnelte",  "Config",
    "Stoc",       "Sold",       "BIntr",        "BSediu",    "BIes",        "BBani",     "Mail",     "BigExit",
    "PlusAdd",    "PlusBlue",   "PlusPorto",    "PlusPeach", "PlusSnorkel", "MinusDel",  "FirstPag", "LastPag",
    "PrevPag",    "NextPag",    "Find",         "FindNext",  "Grafic",      "SaveAs",    "nFirst",   "nLast",
    "Contract",   "Explicatii", "Permis",       "Interzis",  "Surub",       "Linii",     "Anulat",   "GrupX",
    "Grup0",      "crescator",  "descrescator", "ToolbVert", "ToolbOriz",   "EscapeImg", "Pag",      "StopModi",
    "MainExitImg"};
const char* const kIcons[] = {"Warning", "Error", "Information", "Confirmation", "SCLogo"};
const char* const kFaces[] = {"ButtonFaceVTQ", "ButtonFaceVTQ120", "ButtonFace2",      "SpeedFace",        "LookupFace",
                              "TabCtrlFace",   "MenuTabCtrlFace",  "MenuTabCtrlFaceL", "SiglaWinKorvenImg"};

class TSheet : public TForm {
public:
    TSheet() : TForm(nullptr) {
        SetCaption("Glife si butoane");
        SetBorderStyle(bsSingle);
        SetClientWidth(kSheetWidth);
        SetClientHeight(kSheetHeight);
        SetColor(kThemeButtonFace);
        OnPaint = [this](TObject*) { Canvas().Draw(0, 0, sheet_); };
    }

    void Compose() {
        sheet_.SetSize(kSheetWidth, kSheetHeight);
        TCanvas& c = sheet_.Canvas();
        c.Brush().SetColor(kThemeButtonFace);
        c.FillRect(RECT{0, 0, kSheetWidth, kSheetHeight});
        int y = Heading(c, "Glife (sus, inactiv, apasat)", 6);
        y = PictureGrid(c, y);
        y = Heading(c, "Iconite si fete", y + 4);
        y = IconsAndFaces(c, y);
        y = Heading(c, "TMButton: toate tipurile", y + 4);
        y = ButtonKinds(c, y);
        y = Heading(c, "TMButton: stari", y + 4);
        y = ButtonStates(c, y);
        y = Heading(c, "TNiceButton: normal, sub mouse, apasat, inactiv", y + 4);
        NiceButtons(c, y);
    }
    TBitmap& Sheet() { return sheet_; }

private:
    static int Heading(TCanvas& c, const char* text, int y) {
        c.Brush().SetStyle(bsClear);
        c.Font().SetStyle(fsBold);
        c.Font().SetColor(0x00603010);
        c.TextOut(8, y, text);
        c.Font().SetStyle(0);
        c.Font().SetColor(clBlack);
        c.Brush().SetStyle(bsSolid);
        return y + 18;
    }

    static void Label(TCanvas& c, const std::string& text, int x, int y, int width) {
        TFont saved;
        saved.Assign(c.Font());
        c.Font().SetHeight(-9);
        c.Font().SetColor(0x00404040);
        c.Brush().SetStyle(bsClear);
        RECT r{x, y, x + width, y + 12};
        c.DrawText(text, r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        c.Brush().SetStyle(bsSolid);
        c.Font().Assign(saved);
    }

    static void DrawTransparent(TCanvas& c, TBitmap& picture, int x, int y) {
        HDC source = picture.Canvas().Handle();
        TransparentBlt(c.Handle(), x, y, picture.Width(), picture.Height(), source, 0, 0, picture.Width(),
                       picture.Height(), GetPixel(source, 0, 0));
    }

    int PictureGrid(TCanvas& c, int top) {
        int x = 8, y = top, rowHeight = 0;
        for (const char* name : kPictures) {
            TBitmap& picture = GlyphHolder().Picture(name);
            int cell = std::max(picture.Width(), 70) + 8;
            if (x + cell > kSheetWidth - 8) {
                x = 8;
                y += rowHeight + 16;
                rowHeight = 0;
            }
            DrawTransparent(c, picture, x + (cell - 8 - picture.Width()) / 2, y);
            Label(c, name, x, y + picture.Height() + 1, cell - 8);
            rowHeight = std::max(rowHeight, picture.Height());
            x += cell;
        }
        return y + rowHeight + 16;
    }

    int IconsAndFaces(TCanvas& c, int top) {
        int x = 8;
        for (const char* name : kIcons) {
            TBitmap& picture = GlyphHolder().Picture(name);
            DrawTransparent(c, picture, x, top);
            Label(c, name, x - 10, top + picture.Height(), picture.Width() + 20);
            x += picture.Width() + 28;
        }
        int fx = x + 10, fy = top;
        for (const char* name : kFaces) {
            TBitmap& picture = GlyphHolder().Picture(name);
            if (fx + picture.Width() > kSheetWidth - 8) {
                fx = x + 10;
                fy += 48;
            }
            DrawTransparent(c, picture, fx, fy);
            Label(c, name, fx, fy + picture.Height() + 1, picture.Width());
            fx += picture.Width() + 16;
        }
        return std::max(top + 80, fy + 52);
    }

    // Buttons on the toolkit's grey, as a toolkit form shows them.
    template <class B>
    B* Make() {
        auto* button = new B(this);
        button->SetParent(this);
        if constexpr (std::is_same_v<B, TMButton>) {
            button->SetColor(kThemeButtonFace);
            button->SetColorOver(kThemeButtonFace);
        }
        return button;
    }

    static void Render(TCanvas& c, TButton& button, int x, int y, UINT state = 0) {
        TBitmap face;
        face.SetSize(button.Width(), button.Height());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemState = state;
        item.hDC = face.Canvas().Handle();
        item.rcItem = {0, 0, button.Width(), button.Height()};
        button.DrawItem(item);
        c.Draw(x, y, face);
    }

    int ButtonKinds(TCanvas& c, int top) {
        int x = 8, y = top;
        for (int kind = 0; kind < kButtonKindCount; ++kind) {
            auto* button = Make<TMButton>();
            button->SetKind(static_cast<TMButtonKind>(kind));
            button->SetLightButton(false);
            if (x + button->Width() > kSheetWidth - 8) {
                x = 8;
                y += button->Height() + 18;
            }
            Render(c, *button, x, y);
            Label(c, kButtonKindNames[kind], x, y + button->Height() + 1, button->Width());
            x += button->Width() + 6;
        }
        return y + 40 + 18;
    }

    int ButtonStates(TCanvas& c, int y) {
        struct Sample {
            const char* label;
            TMButtonKind kind;
            bool light, hot, enabled, top;
            UINT state;
        } samples[] = {
            {"usor", mkOK, true, false, true, false, 0},
            {"usor, sub mouse", mkOK, true, true, true, false, 0},
            {"cu fata, focus", mkCancel, false, false, true, false, ODS_FOCUS},
            {"apasat", mkCancel, false, false, true, false, ODS_SELECTED | ODS_FOCUS},
            {"inactiv", mkHelp, false, false, false, false, ODS_DISABLED},
            {"Inapoi (glifa sus)", mkPrev, true, false, true, true, 0},
            {"Continua, sub mouse", mkNext, true, true, true, true, 0},
            {"Continua, inactiv", mkNext, true, false, false, true, ODS_DISABLED},
        };
        int x = 8;
        for (const Sample& s : samples) {
            auto* button = Make<TMButton>();
            button->SetKind(s.kind);
            button->SetLightButton(s.light);
            if (s.top) {
                // The wizard's Back and Next: glyph above the caption.
                button->SetCaption(s.kind == mkPrev ? "&Inapoi" : "&Continua");
                button->SetCaptionVisible(true);
                button->SetButtonLayout(blGlyphTop);
                button->SetBounds(0, 0, 80, 51);
            }
            button->SetEnabled(s.enabled);
            if (s.hot) button->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            Render(c, *button, x, y, s.state);
            Label(c, s.label, x - 10, y + button->Height() + 1, button->Width() + 20);
            x += std::max(button->Width(), 90) + 36;
        }
        return y + 51 + 18;
    }

    void NiceButtons(TCanvas& c, int top) {
        const TMButtonKind kinds[] = {mkYes, mkNo, mkOK, mkCancel, mkAbort, mkRetry, mkIgnore, mkAll, mkHelp, mkClose};
        int x = 8;
        for (TMButtonKind kind : kinds) {
            int y = top;
            for (int look = 0; look < 4; ++look) {
                auto* button = Make<TNiceButton>();
                button->SetKind(kind);
                button->SetBounds(0, 0, 106, 28);
                if (look == 1 || look == 2) button->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(60, 14));
                if (look == 3) button->SetEnabled(false);
                Render(c, *button, x, y, look == 2 ? ODS_SELECTED : 0);
                y += 32;
            }
            Label(c, kButtonKindNames[kind], x, y, 106);
            x += 114;
        }
    }

    TBitmap sheet_;
};

}  // namespace

int main(int argc, char** argv) {
    try {
        StartToolkit();
        TSheet sheet;
        sheet.Compose();
        if (argc == 3 && std::strcmp(argv[1], "--shot") == 0) {
            sheet.Sheet().SaveToFile(argv[2]);
            return 0;
        }
        sheet.ShowModal();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "toolkit_gallery: %s\n", e.what());
        return 1;
    }
}
