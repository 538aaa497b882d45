// Letting the window messages that wait on this thread through, from inside
// a long operation on the window thread.
#pragma once

// Runs on the calling thread only and never waits: each waiting message goes
// through the program's pre-translation and is dispatched. A WM_QUIT is put
// back for the loop outside.
void DispatchWaitingMessages();
