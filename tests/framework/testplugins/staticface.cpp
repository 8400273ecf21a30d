#include "staticface.h"
