// A header of the bottom layer that reaches up: the layers check must refuse it.
#pragma once

#include "high.h"
