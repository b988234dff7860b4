// The unattended run's hands on the wizard: each page, once on the screen, is
// asked to answer itself (TUnattendedPage); every dialog is answered as
// Cancel would and ends the installation.
#pragma once

#include <cstdint>
#include <string>

class TForm;

// Has the page of the slot answer from Unattended and press its way on. A
// page that stays open afterwards would wait for a person: the run ends.
void PilotPage(std::uint8_t slot, TForm& page);

// From now on no dialog waits: each one is noted in the diagnostic log and
// ends the installation as cancelled (unless a failure was recorded first);
// an error no step caught is noted and ends it as failed.
void AnswerDialogsUnattended();
