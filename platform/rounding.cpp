#include "platform/rounding.h"
