// On Windows the console hands a program its arguments as typed: zotfit
// expands logs\ZOT_vive_7_*.dat itself, as a shell does elsewhere. The
// mingw-w64 start-up code does so when this variable says so.
int _dowildcard = -1;
