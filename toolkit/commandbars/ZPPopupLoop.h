// The modal loop of a tracked popup or menu bar, on the shared tracking loop: it waits for
// messages (never spins) and runs while the bar tracks.
#pragma once

class CZPCommandBar;

// Runs while the bar is in tracking mode and its window lives. A message taken after the bar
// stopped tracking is posted again to its window for the outer loop; WM_QUIT is posted again;
// WM_KICKIDLE is dropped; everything else goes through the thread's pre-translation, then is
// dispatched. The mouse manager's modal counter is left alone: it would freeze hover in menus.
void ZpRunPopupLoop(CZPCommandBar* pBar);
