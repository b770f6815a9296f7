// A header of the interpreter layer.
#pragma once

#include "low.h"
