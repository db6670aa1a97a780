#pragma once

// Removes what backups and restores cut off by a kill or a power cut left in the program's data
// and backup folders: hidden, full-size copies of the notebook. Run at start-up; each backup or
// restore also clears the folder it works in.
void remove_abandoned_backup_and_restore_work();
