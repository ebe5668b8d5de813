// In the AddressSanitizer build, the web engine's own uninstrumented code frees some objects
// through a pointer of another size, which ASan reports as a new/delete type mismatch before any
// of our code runs. That one check is turned off for this test program only; the environment's
// ASAN_OPTIONS still apply on top.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
#endif
