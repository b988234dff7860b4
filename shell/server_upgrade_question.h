// The question put to a client before the upgrade copy: whether to upgrade
// the server's database from this computer.
#pragma once

// True without asking unless InstallType is itClient (a local installation
// found by the search is upgraded as a server). A client is asked; any
// answer but No, closing the dialog included, is yes; an unattended run
// takes its answer from Unattended.ServerUpgrade without a dialog. Dialogs shown after
// the question begin with "PENTRU CONTINUARE".
bool AskServerUpgrade();
