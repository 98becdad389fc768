// A load header that reaches up into the window: the layer check must refuse it.
#pragma once

#include "shell/ui.h"
