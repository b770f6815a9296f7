// Breaks the rule: the engine's header is the interpreter's own.
#pragma once
#include "engine.h"
