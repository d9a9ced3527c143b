#include "base/Base.h"
#include "tools/Tool.h"
