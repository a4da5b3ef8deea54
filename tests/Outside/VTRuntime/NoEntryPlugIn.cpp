// A shared library without the plug-in entry point, for the manager's failure reports.
extern "C" __attribute__((visibility("default"))) int NotAPlugInEntry() { return 42; }
