// The DLL's message id: registered when the DLL loads, before any window can receive it.
#include <windows.h>

#include "TAVLO.h"

unsigned int CTAVLO2::TAVLO_NEW_MESSAGE = RegisterWindowMessageW(L"TAVLO_NEW_MESSAGE");
