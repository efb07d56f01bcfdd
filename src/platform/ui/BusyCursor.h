#pragma once
// The busy cursor shown while a command waits for another program's lock on the database file.
namespace vb {
// Makes the data layer's lock waits show the busy cursor until the command that waited ends.
void InstallLockWaitCursor();
// How many waits have shown the cursor since the program started.
int LockWaitCursorCount();
}  // namespace vb
