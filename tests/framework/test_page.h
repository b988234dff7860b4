// The page of forms/TestPage.kfd with its published handlers, and helpers
// that drive forms with real window messages.
#pragma once

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"

#include <functional>
#include <string>

class TTestPage : public TForm {
public:
    explicit TTestPage(TComponent* owner = nullptr) : TForm(owner) {
        PublishMethod("FormCreate", &TTestPage::FormCreate);
        PublishMethod("FormKeyDown", &TTestPage::FormKeyDown);
        PublishMethod("RNameChange", &TTestPage::RNameChange);
        PublishMethod("BNextClick", &TTestPage::BNextClick);
        PublishMethod("TickTimer", &TTestPage::TickTimer);
        PublishField("RName", RName);
        PublishField("RCity", RCity);
        PublishField("RCode", RCode);
        PublishField("BNext", BNext);
        PublishField("BCancel", BCancel);
        PublishField("Tick", Tick);
        LoadForm("TestPage");
    }

    TEdit* RName = nullptr;
    TEdit* RCity = nullptr;
    TEdit* RCode = nullptr;
    TButton* BNext = nullptr;
    TButton* BCancel = nullptr;
    TTimer* Tick = nullptr;

    int created = 0, nameChanges = 0, nextClicks = 0, ticks = 0;
    std::vector<WORD> previewedKeys;
    bool swallowKeys = false;
    std::function<void()> onNext;  // extra action of BNextClick
    std::function<void()> onTick;  // extra action of each tick

    void FormCreate(TObject*) { ++created; }
    void FormKeyDown(TObject*, WORD& key, TShiftState) {
        previewedKeys.push_back(key);
        if (swallowKeys) key = 0;
    }
    void RNameChange(TObject*) { ++nameChanges; }
    void BNextClick(TObject*) {
        ++nextClicks;
        if (onNext) onNext();
    }
    void TickTimer(TObject*) {
        ++ticks;
        if (onTick) onTick();
    }
};

// Ends a modal loop from the message loop itself after `ticks` timer ticks,
// with `result`, in case the behaviour under test fails to end it.
inline void EndModalAfterTicks(TTestPage& page, int ticks, int result, std::function<void()> check = nullptr) {
    page.onTick = [&page, ticks, result, check] {
        if (page.ticks < ticks) return;
        if (check) check();
        page.Tick->SetEnabled(false);
        page.SetModalResult(result);
    };
    page.Tick->SetEnabled(true);
}

// System keys carry the Alt-down context bit, as Alt+key does.
inline void PostKey(HWND window, WORD key, UINT message = WM_KEYDOWN) {
    LPARAM context = (message == WM_SYSKEYDOWN || message == WM_SYSCHAR) ? 0x20000001 : 1;
    PostMessageA(window, message, key, context);
}

inline POINT CenterOf(TControl& control) { return {control.Width() / 2, control.Height() / 2}; }
