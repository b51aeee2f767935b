#include "core/colour.h"
