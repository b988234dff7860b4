// The kinds of the toolkit's buttons and pictures, and what each kind gives a
// button: default caption, modal result, width and glyph names. A form only
// has to say `Kind = mkCancel`. Portable: the pictures themselves live in the
// glyph set (glyph_set.h); here they are only named.
#pragma once

#include "framework/properties.h"

#include <string_view>

// Stored in form descriptions by name and in toolbars by number: the order is
// fixed.
enum TMButtonKind {
    mkFirst,
    mkPrev,
    mkNext,
    mkLast,
    mkAdd,
    mkDelete,
    mkRecord,
    mkView,
    mkPrint,
    mkOK,
    mkCancel,
    mkHelp,
    mkCustom,
    mkYes,
    mkNo,
    mkClose,
    mkAbort,
    mkRetry,
    mkIgnore,
    mkAll,
    mkEdit,
    mkAnalitic,
    mkDetalii,
    mkKorven,
    mkSave,
    mkPlus,
    mkUnelte,
    mkConfig,
    mkStoc,
    mkSold,
    mkIntr,
    mkTransf,
    mkIes,
    mkBani,
    mkMail,
    mkBigExit,
    mkPlusAdd,
    mkPlusBlue,
    mkPlusPorto,
    mkPlusPeach,
    mkPlusSnorkel,
    mkMinusDel,
    mkFirstPag,
    mkLastPag,
    mkPrevPag,
    mkNextPag,
    mknPrev,
    mknNext,
    mkFind,
    mkFindNext,
    mkGrafic,
    mkSaveAs,
    mknFirst,
    mknLast,
    mkContr,
    mkExpl,
    mkPermis,
    mkAction
};
constexpr int kButtonKindCount = mkAction + 1;

// Pictures that are not button glyphs: check boxes, radio buttons, images.
enum TAlteGlife {
    glCustom,
    glPermis,
    glInterzis,
    glSurub,
    glLinii,
    glCheck,
    glRadio,
    glAnulat,
    glGrupX,
    glGrup0,
    glCrescator,
    glDescrescator,
    glToolVert,
    glToolOriz,
    glImgEsc,
    glSCLogo,
    glPag,
    glKorven,
    glBuget
};
constexpr int kAlteGlifeCount = glBuget + 1;

// The kinds of the message dialogs, each with its icon.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
constexpr int kMsgDlgTypeCount = mtCustom + 1;

// Identifiers as written in form descriptions, listed by value.
extern const NameList kButtonKindNames;
extern const NameList kAlteGlifeNames;
extern const NameList kMsgDlgTypeNames;

// What a kind gives a button. Glyph names are the glyph holder's picture
// names; an empty name means no picture.
struct ButtonKindInfo {
    std::string_view caption;    // given when the button's caption is empty
    int modalResult;             // given unless the form chose one
    int width;                   // initial width of a TMButton
    std::string_view glyph;      // a TMButton's glyph
    std::string_view niceGlyph;  // a TNiceButton's glyph when it differs, else empty
};

// The kind's row; a value outside the enumeration reads as mkCustom.
const ButtonKindInfo& KindInfo(TMButtonKind kind);
// Kinds whose TMButton shows its glyph alone: the record navigation arrows.
constexpr bool KindHidesCaption(TMButtonKind kind) { return kind >= mkFirst && kind <= mkLast; }

// Picture names of the other kinds; empty for the "custom" values and for
// values outside the enumeration.
std::string_view AlteGlifeName(TAlteGlife kind);
std::string_view DialogIconName(TMsgDlgType kind);
