#include "middle/Middle.h"
#include "base/Base.h"
