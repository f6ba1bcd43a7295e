// Leak reports that come from the system libraries, not from our code: Xlib keeps
// locale strings that SDL 1.2's X11 driver never frees.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libX11.so\n";
}
