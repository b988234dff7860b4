// TUpgData: the database upgrade page, the last working page of an upgrade.
// Next has the upgrade library run each step the user left ticked (the
// structures, the lists, the constants), marking each step done as it ends;
// a step the library reports as not ended well loses its mark. The status
// line shows the last text the library reported, and every report also goes
// to the diagnostic log. Alt+Q switches the library's quick verification,
// also while a step runs (the page sees keys while the library reports).
//
// The page expects the library loaded: the wizard never reaches it otherwise.
#pragma once
#include <windows.h>

#include "framework/control.h"
#include "core/unattended_page.h"
#include "toolkit/title_form.h"

class TActiveCheckBox;
class TBevel;
class TFmtLabel;
class TLabel;
class TMButton;
class TNiceButton;
class TPanel;

class TUpgData : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    explicit TUpgData(TComponent* owner);
    ~TUpgData() override;

    // Components of the form, not owned.
    TMButton* BNext = nullptr;
    TMButton* BBack = nullptr;
    TNiceButton* BCancel = nullptr;
    TBevel* Bevel1 = nullptr;
    TLabel* L1 = nullptr;
    TPanel* BStruct = nullptr;
    TPanel* BLists = nullptr;
    TPanel* BConst = nullptr;
    TActiveCheckBox* Ck1 = nullptr;
    TActiveCheckBox* Ck2 = nullptr;
    TActiveCheckBox* Ck3 = nullptr;
    TFmtLabel* Lk1 = nullptr;
    TFmtLabel* Lk2 = nullptr;
    TFmtLabel* Lk3 = nullptr;

    bool QuickVerif() const { return quickVerif_; }

    void FormCreate(TObject* sender);
    void BNextClick(TObject* sender);
    // Goes on with Next.
    void AnswerUnattended() override;
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);

private:
    void RunSteps();

    bool quickVerif_ = false;
};

// The report procedure handed to the library: the text of the block goes to
// the log and to the status line of the page that is open, if any.
void __stdcall UpgradeReport(HGLOBAL text);
