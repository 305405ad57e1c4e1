#pragma once

// What the test-only I/O shim counted since the current IOFAULT_RUN token was set.
extern "C" {
// Writes, syncs, renames and truncations on files under IOFAULT_DIR.
int iofault_calls();
// 1 when the call named by IOFAULT_AT was reached (and failed or was photographed).
int iofault_fired();
// That call and its file, as "fsync /tmp/.../Dat/Item.dat".
const char* iofault_fired_call();
}
