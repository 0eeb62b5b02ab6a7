// A codec library that exports only the two size queries, with answers no real codec
// gives, so a test can tell which library the binding loaded.
extern "C" __declspec(dllexport) int __cdecl CharsNeededToEncode(int) {
    return 4242;
}
extern "C" __declspec(dllexport) int __cdecl BytesNeededToDecode(int, int) {
    return 2424;
}
