#include "framework/headless/virtual_clock.h"
