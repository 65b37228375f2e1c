// Tells scripts/run-tests whether this machine runs 32-bit Windows code: built for i686 and
// run in a Wine prefix, it ends with exit code 32 only when it runs under WoW64.
#include <windows.h>

int main() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? 32 : 1;
}
