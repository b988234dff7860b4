#include "toolkit/button_kinds.h"

#include <array>

const NameList kButtonKindNames = {
    "mkFirst",       "mkPrev",     "mkNext",     "mkLast",    "mkAdd",     "mkDelete",   "mkRecord",    "mkView",
    "mkPrint",       "mkOK",       "mkCancel",   "mkHelp",    "mkCustom",  "mkYes",      "mkNo",        "mkClose",
    "mkAbort",       "mkRetry",    "mkIgnore",   "mkAll",     "mkEdit",    "mkAnalitic", "mkDetalii",   "mkKorven",
    "mkSave",        "mkPlus",     "mkUnelte",   "mkConfig",  "mkStoc",    "mkSold",     "mkIntr",      "mkTransf",
    "mkIes",         "mkBani",     "mkMail",     "mkBigExit", "mkPlusAdd", "mkPlusBlue", "mkPlusPorto", "mkPlusPeach",
    "mkPlusSnorkel", "mkMinusDel", "mkFirstPag", "mkLastPag", "mkPrevPag", "mkNextPag",  "mknPrev",     "mknNext",
    "mkFind",        "mkFindNext", "mkGrafic",   "mkSaveAs",  "mknFirst",  "mknLast",    "mkContr",     "mkExpl",
    "mkPermis",      "mkAction"};

const NameList kAlteGlifeNames = {"glCustom",    "glPermis",       "glInterzis", "glSurub",    "glLinii",
                                  "glCheck",     "glRadio",        "glAnulat",   "glGrupX",    "glGrup0",
                                  "glCrescator", "glDescrescator", "glToolVert", "glToolOriz", "glImgEsc",
                                  "glSCLogo",    "glPag",          "glKorven",   "glBuget"};

const NameList kMsgDlgTypeNames = {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"};

namespace {

// Modal results by number, as the framework's TModalResult has them; this
// table stays portable.
constexpr int kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7, kAll = 8;

constexpr std::array<ButtonKindInfo, kButtonKindCount> kKinds{{
    {"f", 0, 42, "Buget", ""},
    {"&p", 0, 42, "Precedent", ""},
    {"&u", 0, 42, "Urmator", ""},
    {"", 0, 42, "", ""},
    {"&Adaug", 0, 70, "Add", ""},
    {"&Sterg", 0, 70, "Delete", ""},
    {"&Jurnal", 0, 70, "Jurnal", ""},
    {"&w", 0, 70, "Vizual", ""},
    {"&Listare", 0, 70, "Print", ""},
    {"O&K", kOk, 70, "OK", ""},
    {"&Renunt", kCancel, 70, "Cancel", ""},
    {"S&faturi", 0, 70, "Help", ""},
    {"", 0, 90, "", ""},  // mkCustom: the button's own Glyph
    {"&Da", kYes, 90, "OK", ""},
    {"&Nu", kNo, 90, "Nu", ""},
    {"I&esire", kCancel, 90, "Exit", ""},
    {"&Abandon", kAbort, 90, "Cancel", ""},
    {"&Reincearca", kRetry, 90, "Retry", ""},
    {"&Ignora", kIgnore, 90, "", "PrnSetup"},
    {"&Toate", kAll, 90, "Image1", "Avansat"},
    {"&Modific", 0, 90, "Edit", ""},
    {"Analiti&c", 0, 90, "Analitic", ""},
    {"&Detalii", 0, 90, "Detalii", ""},
    {"Korv&en", 0, 90, "Korven", ""},
    {"Salve&z", 0, 90, "Save", ""},
    {"", 0, 42, "Plus", ""},
    {"", 0, 45, "BUnelte", ""},
    {"", 0, 45, "Config", ""},
    {"", 0, 45, "Stoc", ""},
    {"", 0, 45, "Sold", ""},
    {"", 0, 45, "BIntr", ""},
    {"", 0, 45, "BSediu", ""},
    {"", 0, 45, "BIes", ""},
    {"", 0, 45, "BBani", ""},
    {"E&Mail", 0, 45, "Mail", ""},
    {"", 0, 45, "BigExit", ""},
    {"", 0, 45, "PlusAdd", ""},
    {"", 0, 45, "PlusBlue", ""},
    {"", 0, 45, "PlusPorto", ""},
    {"", 0, 45, "PlusPeach", ""},
    {"", 0, 45, "PlusSnorkel", ""},
    {"", 0, 45, "MinusDel", ""},
    {"", 0, 45, "FirstPag", ""},
    {"", 0, 45, "LastPag", ""},
    {"", 0, 45, "PrevPag", ""},
    {"", 0, 45, "NextPag", ""},
    {"", 0, 45, "nPrev", ""},
    {"", 0, 45, "nNext", ""},
    {"", 0, 45, "Find", ""},
    {"", 0, 45, "FindNext", ""},
    {"", 0, 45, "Grafic", ""},
    {"", 0, 45, "SaveAs", ""},
    {"", 0, 45, "nFirst", ""},
    {"", 0, 45, "nLast", ""},
    {"", 0, 70, "Contract", ""},
    {"", 0, 70, "Explicatii", ""},
    {"", 0, 45, "Permis", ""},
    {"?", 0, 45, "UrmatorBlue", ""},
}};

constexpr std::array<std::string_view, kAlteGlifeCount> kAlteGlife{
    "",          "Permis",       "Interzis",  "Surub",     "Linii",     "Check",  "Radio", "Anulat", "GrupX", "Grup0",
    "crescator", "descrescator", "ToolbVert", "ToolbOriz", "EscapeImg", "SCLogo", "Pag",   "Korven", "Buget"};

constexpr std::array<std::string_view, kMsgDlgTypeCount> kDialogIcons{"Warning", "Error", "Information", "Confirmation",
                                                                      ""};

}  // namespace

const ButtonKindInfo& KindInfo(TMButtonKind kind) {
    if (kind < 0 || kind >= kButtonKindCount) return kKinds[mkCustom];
    return kKinds[kind];
}

std::string_view AlteGlifeName(TAlteGlife kind) {
    if (kind < 0 || kind >= kAlteGlifeCount) return {};
    return kAlteGlife[kind];
}

std::string_view DialogIconName(TMsgDlgType kind) {
    if (kind < 0 || kind >= kMsgDlgTypeCount) return {};
    return kDialogIcons[kind];
}
