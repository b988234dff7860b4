// The full-screen window behind the wizard's pages: a plain blue surface
// with the product's pictures in the middle, the maker's address and the
// program's version along the bottom. It only paints; the pages are modal
// forms above it.
#pragma once

#include <string>

#include "framework/form.h"

class TPaintedPanel;
class TTransImage;
class TLabel;
class TFmtLabel;

class TInstaller : public TForm {
    DECLARE_CLASS_INFO
public:
    explicit TInstaller(TComponent* owner);

    TPaintedPanel* PaintedPanel1 = nullptr;  // not owned: components of the form
    TPaintedPanel* Panou = nullptr;
    TTransImage* Background = nullptr;
    TLabel* Label1 = nullptr;
    TFmtLabel* VerLbl = nullptr;

    void FormShow(TObject* sender);
    void FormResize(TObject* sender);
    void PaintedPanel1Paint(TObject* sender);
    void PanouPaint(TObject* sender);

    void WndProc(TMessage& message) override;

private:
    void TilePanel(TPaintedPanel& panel);
};

// "@15% ver." (colour 15, shadowed) and the version with two decimals,
// rounded.
std::string VersionCaption(double version);
