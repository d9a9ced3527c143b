#include "base/Base.h"
#include "top/Top.h"
