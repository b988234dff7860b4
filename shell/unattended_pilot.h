// The unattended run's hands on the wizard: each page, once on the screen,
// gets the answers given beforehand through its published controls and real
// window messages and goes on, as a person's clicks would; every dialog is
// answered as Cancel would and ends the installation. The pages themselves
// know nothing of it.
#pragma once

#include <cstdint>
#include <string>

class TForm;

// Answers the page of the slot from Unattended and presses its way on. A
// page that stays open afterwards would wait for a person: the run ends.
void PilotPage(std::uint8_t slot, TForm& page);

// From now on no dialog waits: each one is noted in the diagnostic log and
// ends the installation as cancelled (unless a failure was recorded first);
// an error no step caught is noted and ends it as failed.
void AnswerDialogsUnattended();

// Ends the installation because it needs a person: notes why, records the
// outcome and has the application quit, which closes the open page.
void EndUnattendedRun(const std::string& why);
