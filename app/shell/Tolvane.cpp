// The program's one application object; the framework's entry point runs it.
#include "shell/TolvaneApp.h"

CTolvaneApp theApp;
