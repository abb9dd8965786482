// The unit settings and conversions in one include.
#pragma once

#include "RTL/units.h"
