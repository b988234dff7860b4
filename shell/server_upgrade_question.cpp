#include "shell/server_upgrade_question.h"

#include "core/report_failure.h"
#include "core/settings.h"
#include "toolkit/message_dialog.h"
#include "core/unattended.h"

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
}  // namespace

bool AskServerUpgrade() {
    if (InstallSettings.InstallType != itClient) return true;
    if (Unattended.Active) return Unattended.ServerUpgrade;
    const MessagePrefixFor noPrefix("");
    return RomMessageDlg(kQuestion, "UPGRADE baza de date SERVER ?", mtConfirmation, taCenter, {mbYes, mbNo}, mbNo) !=
           mrNo;
}
