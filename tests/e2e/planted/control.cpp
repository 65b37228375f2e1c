// Imports every planted DLL and calls it: started beside them with the planted copies
// preferred, it loads each one, as any program would that does not restrict its DLL search.
#define PLANTED(name) extern "C" __declspec(dllimport) int Planted_##name();
PLANTED_IMPORTS
#undef PLANTED

int main() {
    int loaded = 0;
#define PLANTED(name) loaded += Planted_##name();
    PLANTED_IMPORTS
    return loaded > 0 ? 0 : 1;
}
