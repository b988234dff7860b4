#include "server_upgrade_question.h"

#include <windows.h>

#include <string>

#include "settings.h"

namespace {
// The rules are 46 and 48 underscores long.
constexpr const char* kQuestion =
    "Baza de date se afla la distanta, pe SERVER.\r"
    "______________________________________________\r"
    "\r"
    "Daca nu aveti acces la SERVER pentru a lansa UPGRADE,\r"
    "\r"
    "aveti acum ocazia sa o faceti de pe acest calculator.\r"
    "\r"
    "-Acest mesaj va apare la fiecare instalare de tip CLIENT.\r"
    "Nu este nevoie sa lansati UPGRADE la SERVER decat o singura data.\r"
    "________________________________________________\r"
    "\r"
    "Fac UPGRADE la baza de date de pe SERVER?\r";

// UNTIL the toolkit's message dialog is in: the system's question box, with
// the same caption, text, buttons and default, and no prefix to manage.
int AskYesNo(const char* question, const char* caption) {
    std::string shown;
    for (const char* c = question; *c; ++c) {
        shown += *c;
        if (*c == '\r') shown += '\n';
    }
    return MessageBoxA(GetActiveWindow(), shown.c_str(), caption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
}

}  // namespace

bool AskServerUpgrade() {
    if (InstallSettings.InstallType != itClient) return true;
    return AskYesNo(kQuestion, "UPGRADE baza de date SERVER ?") != IDNO;
}
