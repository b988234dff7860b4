// The shell's side of the toolkit: started once, before the first window or
// dialog, with the toolkit's log marks written into the diagnostic log.
#pragma once

// Starts the toolkit the first time; later calls do nothing. The start-up
// calls it once the log is open, so that the toolkit's marks land in it; a
// dialog shown before that (the log could not be opened) starts it itself.
void StartUserInterface();
