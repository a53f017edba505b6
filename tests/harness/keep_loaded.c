/*
 * keep_loaded.c - preloaded into sanitizer test runs: keeps every shared
 * library loaded to the end of the process.
 *
 * The GL library unloads its driver before the leak check runs, which
 * leaves the driver's allocations without a module name to suppress them
 * by. With dlclose doing nothing, the report names the driver, and the
 * suppression file can list it.
 */
int dlclose(void* handle)
{
    (void)handle;
    return 0;
}
