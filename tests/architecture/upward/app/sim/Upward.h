// A simulator header that reaches up into its own views: refused as well.
#pragma once

#include "sim/widgets/SimWindow.h"
