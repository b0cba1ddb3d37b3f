// The program's one application object; the framework's WinMain runs it.
#include "ConfigApp.h"

CConfigApp theApp;
