#include "top/Top.h"
#include "middle/Middle.h"
#include "base/Base.h"
