// Breaks the rule: two parts of the shell stand beside each other.
#pragma once
#include "console_window.h"
